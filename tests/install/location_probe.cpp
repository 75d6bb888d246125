// Stands in an installed tree's bin/ and tells where the program's files go and
// come from there, writing the settings file the way the program does.
#include "market/Catalogue.h"
#include "settings/ProgramDir.h"
#include "settings/TiniConfig.h"

#include <exception>
#include <iostream>

int main()
{
    using namespace listorix;
    std::cout << "keep=" << ProgramDir() << '\n';
    for (const std::string& dir : DataReadDirs())
        std::cout << "read=" << dir << '\n';

    Catalogue catalogue;
    CatalogueOptions options{ProgramDir()};
    options.readDirs = DataReadDirs();
    BuildCatalogue(catalogue, options);
    std::cout << "home=" << catalogue.HomePageUrl << '\n';
    for (const std::string& entry : catalogue.requestsOf(ConnectionId::Azioni))
        std::cout << "shares=" << entry.substr(0, entry.find('\t')) << '\n';

    try {
        WriteConfig(TiniConfig{}, SettingsFilePath());
        std::cout << "settings=" << SettingsFilePath() << '\n';
    } catch (const std::exception& error) {
        std::cout << "settings-error=" << error.what() << '\n';
        return 1;
    }
    return 0;
}
