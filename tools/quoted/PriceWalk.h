#pragma once

#include "quoted/TradingCalendar.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace listorix::quoted {

// How much a kind of security moves, as standard deviations of log-prices.
struct WalkParameters
{
    double slowSigma = 0.0;     // around the reference price, over a year or so
    double monthlySigma = 0.0;  // extra swing of a four-week stretch
    double dailySigma = 0.0;    // one day's close to the next
    double openGapSigma = 0.0;  // the open against the previous close
    double intradaySigma = 0.0; // the wander within a session
};

// The seeded random walk of one security. Every value is a pure function of the seed,
// the symbol (letter case ignored) and the day or minute asked for, so any moment can be
// computed without the history before it and two runs with one seed agree.
//
// Daily closes follow a random walk with daily steps, tied every 32 days to anchor
// values that themselves follow a slow curve around the reference price (so prices
// stay realistic over years). A session of the schedule runs minute by minute from an
// open near the previous trading day's close to that day's close, as a random walk
// pinned at both ends.
class PriceWalk final
{
public:
    PriceWalk(std::uint64_t seed, std::string_view symbol, double referencePrice,
              const WalkParameters& parameters, trading::Schedule schedule = trading::Schedule::exchange());

    // Natural log of the closing price of a calendar day (any day, traded or not).
    double logClose(std::int64_t day) const;
    // The same for every day from first to last, both included.
    std::vector<double> logCloses(std::int64_t first, std::int64_t last) const;
    // Log-prices of a trading day from its open (index 0) to its close, one per minute.
    std::vector<double> sessionPath(std::int64_t day) const;
    // Units traded in a session from its open up to a minute, of a day's typical volume.
    std::int64_t volumeUpTo(std::int64_t day, int minute, std::int64_t dailyVolume) const;

private:
    double noise(std::uint64_t tag, std::int64_t index) const;
    double uniform(std::uint64_t tag, std::int64_t index) const;
    double slowLevel(std::int64_t day) const;
    std::int64_t minuteIndex(std::int64_t day, int minute) const;
    double anchor(std::int64_t segment) const;
    // Closes of one 32-day segment: values for days 0..32 of it.
    void segmentCloses(std::int64_t segment, double* out) const;

    std::uint64_t m_base;
    double m_logReference;
    WalkParameters m_parameters;
    trading::Schedule m_schedule;
};

} // namespace listorix::quoted
