#include "SettingsTestSupport.h"
#include "settings/QuoteSourceSetting.h"
#include "settings/SettingsInForce.h"

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

} // namespace
} // namespace listorix
