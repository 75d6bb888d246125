#pragma once

namespace listorix {

// What the tool bar shows of a fetch: the animated logo runs and "Stop" is enabled
// while one runs; "Collegamento" (reload) is enabled otherwise. The shell repaints
// both buttons at once.
class FetchIndicator
{
public:
    virtual ~FetchIndicator() = default;

    // True when a fetch starts, false when it ends.
    virtual void setFetching(bool fetching) = 0;
};

} // namespace listorix
