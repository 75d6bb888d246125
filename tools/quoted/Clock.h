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
