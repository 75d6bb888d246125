#include "SettingsTestSupport.h"
#include "fetch/SettingsSymbolResolutions.h"
#include "settings/WebSymbolsSection.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

using test::ScratchDir;

TEST(SettingsSymbolResolutions, whatTheSearchFoundIsKeptInTheSettingsFileForTheNextRun)
{
    ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    test::writeBytes(file, "[SERVIZIO]\r\nSORGENTE=web\r\n");
    {
        SettingsSymbolResolutions run;
        run.useFile(file);
        EXPECT_FALSE(run.find("LU0211445258"));
        run.remember("LU0211445258", {"0P0000ABCD", 1736928300});
        run.remember("IT0001589370", {"", 1736928300});
    }
    EXPECT_EQ(readWebSymbol(file, "LU0211445258"), (StoredWebSymbol{"0P0000ABCD", 1736928300}));

    SettingsSymbolResolutions next;
    next.useFile(file);
    EXPECT_EQ(next.find("LU0211445258"), (SymbolResolution{"0P0000ABCD", 1736928300}));
    EXPECT_EQ(next.find("IT0001589370"), (SymbolResolution{"", 1736928300}));
}

TEST(SettingsSymbolResolutions, aFileThatCannotBeWrittenKeepsTheResultsForTheRunAndNothingFails)
{
    ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    std::filesystem::create_directory(file);
    SettingsSymbolResolutions run;
    run.useFile(file);
    run.remember("LU0211445258", {"0P0000ABCD", 1});
    EXPECT_EQ(run.find("LU0211445258"), (SymbolResolution{"0P0000ABCD", 1}));
    EXPECT_TRUE(std::filesystem::is_directory(file));

    SettingsSymbolResolutions memoryOnly;
    memoryOnly.remember("LU0211445258", {"0P0000ABCD", 1});
    EXPECT_EQ(memoryOnly.find("LU0211445258"), (SymbolResolution{"0P0000ABCD", 1}));
}

} // namespace
} // namespace listorix
