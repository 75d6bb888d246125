#include "SettingsTestSupport.h"
#include "grid/TAlignGrid.h"
#include "settings/QuoteSourceSetting.h"
#include "settings/SettingsInForce.h"
#include "settings/TIniObject.h"

#include <functional>
#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(QuoteSourceSetting, theValueNamesTheSourceAndAnythingElseIsCsv)
{
    const struct
    {
        const char* raw;
        QuoteSource expected;
    } cases[] = {
        {"csv", QuoteSource::Csv},     {"demo", QuoteSource::Demo}, {"web", QuoteSource::Web},
        {" WEB \t", QuoteSource::Web}, {"Demo", QuoteSource::Demo}, {"", QuoteSource::Csv},
        {"webb", QuoteSource::Csv},    {"w eb", QuoteSource::Csv},  {"yahoo", QuoteSource::Csv},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(parseQuoteSource(c.raw), c.expected);
    }
    for (const QuoteSource source : {QuoteSource::Csv, QuoteSource::Demo, QuoteSource::Web})
        EXPECT_EQ(parseQuoteSource(quoteSourceName(source)), source);
}

TEST(QuoteSourceSetting, storingTouchesOnlyItsKeyAndNothingWhenTheFileAlreadySaysSo)
{
    test::ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    EXPECT_EQ(readQuoteSource(file), QuoteSource::Csv);
    writeQuoteSource(file, QuoteSource::Csv);
    EXPECT_FALSE(std::filesystem::exists(file)) << "csv is what a missing key says";

    const std::string original =
        "[Window]\r\nNormPos=1,2,3,4\r\n[SERVIZIO]\r\nHOST=127.0.0.1:8080\r\n[Grids]\r\nAzioni=40\r\n";
    test::writeBytes(file, original);
    writeQuoteSource(file, QuoteSource::Csv);
    EXPECT_EQ(test::readBytes(file), original);

    writeQuoteSource(file, QuoteSource::Web);
    EXPECT_EQ(test::readBytes(file),
              "[Window]\r\nNormPos=1,2,3,4\r\n[SERVIZIO]\r\nHOST=127.0.0.1:8080\r\nSORGENTE=web\r\n"
              "[Grids]\r\nAzioni=40\r\n");
    EXPECT_EQ(readQuoteSource(file), QuoteSource::Web);
}

TEST(QuoteSourceSetting, theDialogLoadsAndStoresTheSourceWithItsOtherControls)
{
    test::ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    test::writeBytes(file, "[SERVIZIO]\r\nSORGENTE=demo\r\n");
    SettingsInForce settings(file);
    settings.Execute();
    EXPECT_EQ(settings.controls().ComboBoxSorgente, QuoteSource::Demo);

    settings.controls().ComboBoxSorgente = QuoteSource::Web;
    settings.BitBtn2Click();
    EXPECT_EQ(settings.controls().ComboBoxSorgente, QuoteSource::Demo) << "Annulla";

    settings.controls().ComboBoxSorgente = QuoteSource::Web;
    EXPECT_EQ(settings.BitBtn1Click(), std::nullopt);
    EXPECT_EQ(readQuoteSource(file), QuoteSource::Web);
}

// A first start, with no settings file at all, uses the web source; the first write
// that creates the file, whoever makes it, keeps that for the next start.
TEST(QuoteSourceSetting, aFirstStartUsesTheWebSourceAndTheFirstSaveWritesIt)
{
    const struct
    {
        const char* what;
        std::function<void(SettingsInForce&, const std::filesystem::path&)> firstSave;
        const char* stored;
    } cases[] = {
        {"the dialog's OK", [](SettingsInForce& settings, const auto&) { settings.BitBtn1Click(); }, "web"},
        {"the column widths saved at closing",
         [](SettingsInForce&, const auto& file) {
             TAlignGrid grid(2, 1);
             TIniObject::atPath(file).SaveColWidths("Azioni", grid);
         },
         "web"},
        {"csv chosen in the dialog before any save",
         [](SettingsInForce& settings, const auto&) {
             settings.controls().ComboBoxSorgente = QuoteSource::Csv;
             settings.BitBtn1Click();
         },
         "csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScratchDir dir;
        const auto file = dir.file("LISTORIX.INI");
        SettingsInForce settings(file);
        settings.LoadSettings();
        EXPECT_EQ(settings.controls().ComboBoxSorgente, QuoteSource::Web);
        EXPECT_FALSE(std::filesystem::exists(file)) << "loading writes nothing";

        c.firstSave(settings, file);
        EXPECT_NE(test::readBytes(file).find(std::string("[SERVIZIO]\r\nSORGENTE=") + c.stored + "\r\n"),
                  std::string::npos)
            << test::readBytes(file);

        SettingsInForce nextStart(file);
        nextStart.LoadSettings();
        EXPECT_EQ(quoteSourceName(nextStart.controls().ComboBoxSorgente), c.stored);
    }
}

TEST(QuoteSourceSetting, anExistingFileWithoutTheKeyKeepsCsvAndGetsNoKey)
{
    test::ScratchDir dir;
    const auto file = dir.file("LISTORIX.INI");
    const std::string original = "[Window]\r\nNormPos=1,2,3,4\r\n";
    test::writeBytes(file, original);
    SettingsInForce settings(file);
    settings.LoadSettings();
    EXPECT_EQ(settings.controls().ComboBoxSorgente, QuoteSource::Csv);

    TAlignGrid grid(2, 1);
    TIniObject::atPath(file).SaveColWidths("Azioni", grid);
    EXPECT_EQ(test::readBytes(file).find("SORGENTE"), std::string::npos);
    EXPECT_EQ(test::readBytes(file).rfind(original, 0), 0u);

    // An empty file is a file, not a first start.
    const auto empty = dir.file("EMPTY.INI");
    test::writeBytes(empty, "");
    SettingsInForce fromEmpty(empty);
    fromEmpty.LoadSettings();
    EXPECT_EQ(fromEmpty.controls().ComboBoxSorgente, QuoteSource::Csv);
}

} // namespace
} // namespace listorix
