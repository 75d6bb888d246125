#pragma once

#include "base/UniqueFd.h"

namespace listorix {

// A self-pipe that another thread writes to in order to wake a thread blocked in
// poll(): the waiting thread adds readFd() to its poll set.
class WakePipe final
{
public:
    WakePipe(); // throws std::system_error when the pipe cannot be made
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;

    int readFd() const { return m_read.get(); }
    void wake();  // any thread; never blocks
    void drain(); // empties the pipe so that the next poll waits again

private:
    UniqueFd m_read;
    UniqueFd m_write;
};

} // namespace listorix
