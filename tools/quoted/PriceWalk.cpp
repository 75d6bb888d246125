#include "quoted/PriceWalk.h"

#include "base/CaseFold.h"
#include "quoted/TradingCalendar.h"

#include <algorithm>
#include <cmath>

namespace listorix::quoted {

namespace {

constexpr std::int64_t kSegmentDays = 32;
constexpr std::int64_t kSlowDays = 256;

enum Tag : std::uint64_t
{
    kTagSlow = 1,
    kTagAnchor,
    kTagDay,
    kTagGap,
    kTagMinute,
    kTagVolumeDay,
    kTagVolumeMinute
};

std::uint64_t splitMix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t symbolHash(std::string_view symbol)
{
    std::uint64_t hash = 0xcbf29ce484222325ULL; // FNV-1a
    for (char c : symbol)
        hash = (hash ^ static_cast<unsigned char>(asciiUpper(c))) * 0x100000001b3ULL;
    return hash;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

PriceWalk::PriceWalk(std::uint64_t seed, std::string_view symbol, double referencePrice,
                     const WalkParameters& parameters, trading::Schedule schedule)
    : m_base(splitMix(seed ^ splitMix(symbolHash(symbol)))), m_logReference(std::log(referencePrice)),
      m_parameters(parameters), m_schedule(schedule)
{
}

// A standard normal deviate, near enough: the sum of four uniform 16-bit draws, scaled.
double PriceWalk::noise(std::uint64_t tag, std::int64_t index) const
{
    std::uint64_t bits =
        splitMix(m_base ^ splitMix(tag * 0x100000001b3ULL ^ static_cast<std::uint64_t>(index)));
    double sum = 0.0;
    for (int i = 0; i < 4; ++i) {
        sum += static_cast<double>(bits & 0xffffU);
        bits >>= 16;
    }
    return (sum / 65536.0 - 2.0) * 1.7320508075688772;
}

double PriceWalk::uniform(std::uint64_t tag, std::int64_t index) const
{
    const std::uint64_t bits =
        splitMix(m_base ^ splitMix(tag * 0x100000001b3ULL ^ static_cast<std::uint64_t>(index)));
    return static_cast<double>(bits >> 11) / 9007199254740992.0;
}

double PriceWalk::slowLevel(std::int64_t day) const
{
    const std::int64_t node = floorDiv(day, kSlowDays);
    const double t = static_cast<double>(day - node * kSlowDays) / static_cast<double>(kSlowDays);
    const double smooth = (1.0 - std::cos(t * 3.141592653589793)) / 2.0;
    const double a = noise(kTagSlow, node);
    const double b = noise(kTagSlow, node + 1);
    return m_parameters.slowSigma * (a + (b - a) * smooth);
}

double PriceWalk::anchor(std::int64_t segment) const
{
    return slowLevel(segment * kSegmentDays) + m_parameters.monthlySigma * noise(kTagAnchor, segment);
}

void PriceWalk::segmentCloses(std::int64_t segment, double* out) const
{
    const std::int64_t first = segment * kSegmentDays;
    double walk[kSegmentDays + 1];
    walk[0] = 0.0;
    for (std::int64_t k = 1; k <= kSegmentDays; ++k)
        walk[k] = walk[k - 1] + m_parameters.dailySigma * noise(kTagDay, first + k);
    const double start = anchor(segment);
    const double end = anchor(segment + 1);
    for (std::int64_t k = 0; k <= kSegmentDays; ++k) {
        const double f = static_cast<double>(k) / static_cast<double>(kSegmentDays);
        out[k] = m_logReference + start + walk[k] - f * walk[kSegmentDays] + f * (end - start);
    }
}

double PriceWalk::logClose(std::int64_t day) const
{
    const std::int64_t segment = floorDiv(day, kSegmentDays);
    double closes[kSegmentDays + 1];
    segmentCloses(segment, closes);
    return closes[day - segment * kSegmentDays];
}

std::vector<double> PriceWalk::logCloses(std::int64_t first, std::int64_t last) const
{
    std::vector<double> result;
    if (last < first)
        return result;
    result.reserve(static_cast<std::size_t>(last - first + 1));
    double closes[kSegmentDays + 1];
    std::int64_t loaded = floorDiv(first, kSegmentDays) - 1;
    for (std::int64_t day = first; day <= last; ++day) {
        const std::int64_t segment = floorDiv(day, kSegmentDays);
        if (segment != loaded) {
            segmentCloses(segment, closes);
            loaded = segment;
        }
        result.push_back(closes[day - segment * kSegmentDays]);
    }
    return result;
}

std::int64_t PriceWalk::minuteIndex(std::int64_t day, int minute) const
{
    // Room for every minute of a day, so that no two days share a draw.
    const std::int64_t slots = m_schedule.sessionMinutes() < 1024 ? 1024 : 2048;
    return day * slots + minute;
}

std::vector<double> PriceWalk::sessionPath(std::int64_t day) const
{
    const int minutes = m_schedule.sessionMinutes();
    const double open =
        logClose(m_schedule.previousTradingDay(day)) + m_parameters.openGapSigma * noise(kTagGap, day);
    const double close = logClose(day);
    const double stepSigma = m_parameters.intradaySigma / std::sqrt(static_cast<double>(minutes));

    std::vector<double> path(minutes + 1);
    path[0] = 0.0;
    for (int m = 1; m <= minutes; ++m)
        path[m] = path[m - 1] + stepSigma * noise(kTagMinute, minuteIndex(day, m));
    const double total = path[minutes];
    for (int m = 0; m <= minutes; ++m) {
        const double f = static_cast<double>(m) / minutes;
        path[m] = open + path[m] - f * total + f * (close - open);
    }
    return path;
}

std::int64_t PriceWalk::volumeUpTo(std::int64_t day, int minute, std::int64_t dailyVolume) const
{
    const int minutes = m_schedule.sessionMinutes();
    const double dayFactor = 0.6 + 0.8 * uniform(kTagVolumeDay, day);
    const double perMinute = static_cast<double>(dailyVolume) * dayFactor / (minutes + 1);
    double sum = 0.0;
    for (int m = 0; m <= std::clamp(minute, 0, minutes); ++m)
        sum += perMinute * 2.0 * uniform(kTagVolumeMinute, minuteIndex(day, m));
    return static_cast<std::int64_t>(sum);
}

} // namespace listorix::quoted
