#include "fetch/SettingsSymbolResolutions.h"

#include "settings/WebSymbolsSection.h"

namespace listorix {

void SettingsSymbolResolutions::useFile(const std::filesystem::path& settingsFile)
{
    const std::lock_guard lock(m_mutex);
    if (settingsFile != m_file) {
        m_file = settingsFile;
        m_kept.clear();
    }
}

std::optional<SymbolResolution> SettingsSymbolResolutions::find(std::string_view isin)
{
    const std::lock_guard lock(m_mutex);
    if (const auto it = m_kept.find(isin); it != m_kept.end())
        return it->second;
    if (m_file.empty())
        return std::nullopt;
    try {
        if (const auto stored = readWebSymbol(m_file, isin)) {
            SymbolResolution resolution{stored->symbol, stored->searchedAt};
            m_kept.insert_or_assign(std::string(isin), resolution);
            return resolution;
        }
    } catch (...) {
        // What cannot be read is searched again.
    }
    return std::nullopt;
}

void SettingsSymbolResolutions::remember(std::string_view isin, const SymbolResolution& resolution)
{
    const std::lock_guard lock(m_mutex);
    m_kept.insert_or_assign(std::string(isin), resolution);
    if (m_file.empty())
        return;
    try {
        writeWebSymbol(m_file, isin, StoredWebSymbol{resolution.symbol, resolution.searchedAt});
    } catch (...) {
        // A settings file that cannot be written keeps its old contents; the run
        // keeps the result all the same.
    }
}

} // namespace listorix
