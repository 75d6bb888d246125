#pragma once

namespace listorix {

// Timer1, the one-second timer of the main window. While enabled it calls the
// core's Timer1Timer every 1000 ms, counting from when it was enabled; it is
// disabled at creation. The shell implements it over a toolkit timer, the core's
// event loop over its own.
class TickTimer
{
public:
    virtual ~TickTimer() = default;

    virtual void setEnabled(bool enabled) = 0;
};

} // namespace listorix
