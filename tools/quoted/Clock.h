#pragma once

#include "quoted/CivilTime.h"

namespace listorix::quoted {

// Where the service takes "now" from: Italian wall-clock time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

// The machine's clock, converted to Italian time by the service's own rules (the
// machine's time zone plays no part).
class SystemClock final : public Clock
{
public:
    LocalDateTime now() const override;
};

// The market kept open for a demonstration: during a trading session the time as
// the underlying clock tells it; outside one, the last session replayed a minute of
// it per minute that passes (over and over), so prices move whatever the day and
// hour. The day is the last trading day, so a weekend shows Friday's session.
class AlwaysOpenClock final : public Clock
{
public:
    explicit AlwaysOpenClock(const Clock& base) : m_base(base) {}
    LocalDateTime now() const override;

private:
    const Clock& m_base;
};

// A clock that always tells the same time.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(const LocalDateTime& time) : m_time(time) {}
    LocalDateTime now() const override { return m_time; }

private:
    LocalDateTime m_time;
};

} // namespace listorix::quoted
