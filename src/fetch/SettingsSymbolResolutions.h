#pragma once

#include "websource/SymbolResolutions.h"

#include <filesystem>
#include <map>
#include <mutex>

namespace listorix {

// The web source's search results kept in the settings file's section of their own
// ("SIMBOLI WEB", settings/WebSymbolsSection), so that each ISIN is searched once,
// not at every cycle nor at every start. What is found is also kept for the run, so
// a file that cannot be written (or read) costs no search more than once a run.
// Safe to use from any thread.
class SettingsSymbolResolutions final : public SymbolResolutions
{
public:
    // The settings file in force (the workers' settings are taken when each is
    // made); empty keeps the results for the run only.
    void useFile(const std::filesystem::path& settingsFile);

    std::optional<SymbolResolution> find(std::string_view isin) override;
    void remember(std::string_view isin, const SymbolResolution& resolution) override;

private:
    std::mutex m_mutex;
    std::filesystem::path m_file;
    std::map<std::string, SymbolResolution, std::less<>> m_kept;
};

} // namespace listorix
