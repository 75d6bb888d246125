#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// What the quote service's search made of an ISIN that the exchange's service does
// not answer (a fund, which the chart endpoint knows only by a symbol of its own).
struct SymbolResolution
{
    std::string symbol;          // the chart endpoint's symbol; empty: the search found nothing
    std::int64_t searchedAt = 0; // seconds since the Unix epoch

    bool operator==(const SymbolResolution&) const = default;
};

// A search that found nothing is asked again after this long; a symbol found stands.
inline constexpr std::int64_t kNoResultKeptSeconds = 24 * 60 * 60;

// Whether a kept resolution still stands at `nowSeconds`.
bool resolutionStands(const SymbolResolution& resolution, std::int64_t nowSeconds);

// Where the resolutions are kept, so that each ISIN is searched once and not at every
// cycle. Called from the web source's worker threads: implementations are safe to
// call from any thread, and never throw (what cannot be kept is searched again).
class SymbolResolutions
{
public:
    virtual ~SymbolResolutions() = default;
    // By ISIN in upper case.
    virtual std::optional<SymbolResolution> find(std::string_view isin) = 0;
    virtual void remember(std::string_view isin, const SymbolResolution& resolution) = 0;
};

// Kept for the run only.
class MemorySymbolResolutions final : public SymbolResolutions
{
public:
    std::optional<SymbolResolution> find(std::string_view isin) override;
    void remember(std::string_view isin, const SymbolResolution& resolution) override;

private:
    std::mutex m_mutex;
    std::map<std::string, SymbolResolution, std::less<>> m_kept;
};

} // namespace listorix
