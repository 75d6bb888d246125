#include "websource/SymbolResolutions.h"

namespace listorix {

bool resolutionStands(const SymbolResolution& resolution, std::int64_t nowSeconds)
{
    if (!resolution.symbol.empty())
        return true;
    // A clock set back leaves the age negative: the search is asked again.
    const std::int64_t age = nowSeconds - resolution.searchedAt;
    return age >= 0 && age < kNoResultKeptSeconds;
}

std::optional<SymbolResolution> MemorySymbolResolutions::find(std::string_view isin)
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_kept.find(isin);
    return it == m_kept.end() ? std::nullopt : std::optional<SymbolResolution>(it->second);
}

void MemorySymbolResolutions::remember(std::string_view isin, const SymbolResolution& resolution)
{
    const std::lock_guard lock(m_mutex);
    m_kept.insert_or_assign(std::string(isin), resolution);
}

} // namespace listorix
