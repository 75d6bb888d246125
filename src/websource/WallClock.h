#pragma once

#include <chrono>
#include <cstdint>

namespace listorix {

// The wall clock, injected: what the web source keeps between runs (a search that
// found nothing) and what a chart page says of when it was fetched are timed by it.
class WallClock
{
public:
    virtual ~WallClock() = default;
    // Seconds since the Unix epoch.
    virtual std::int64_t nowSeconds() const = 0;
};

// The machine's clock.
class SystemWallClock final : public WallClock
{
public:
    std::int64_t nowSeconds() const override
    {
        return std::chrono::duration_cast<std::chrono::seconds>(
                   std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
};

} // namespace listorix
