#include "QuotedTestSupport.h"
#include "quoted/ReferenceData.h"

#include <gtest/gtest.h>
#include <map>

namespace listorix::quoted {
namespace {

TEST(ReferenceData, shippedFilesHoldEveryCategoryAndTheBuiltInCopyMatchesThem)
{
    std::vector<Security> builtIn;
    ASSERT_EQ(reference::loadBuiltIn(builtIn), "");
    std::vector<Security> fromFolder;
    ASSERT_EQ(reference::loadFolder(LISTORIX_QUOTED_DATA_DIR, fromFolder), "");
    ASSERT_EQ(builtIn.size(), fromFolder.size());
    for (std::size_t i = 0; i < builtIn.size(); ++i) {
        EXPECT_EQ(builtIn[i].symbol, fromFolder[i].symbol);
        EXPECT_EQ(builtIn[i].referencePrice, fromFolder[i].referencePrice);
    }

    std::map<Category, int> counts;
    for (const Security& security : builtIn)
        ++counts[security.category];
    EXPECT_EQ(counts[Category::Index], 4);
    EXPECT_GE(counts[Category::Share], 40);
    EXPECT_GE(counts[Category::Bond], 15);
    EXPECT_GE(counts[Category::Derivative], 15);
    EXPECT_GE(counts[Category::Fund], 20);
    for (const char* index : {"^MIBTEL", "^MIB30", "^MIDEX", "^SPMIB"})
        EXPECT_NE(testing::sampleMarket().find(index), nullptr) << index;
}

TEST(ReferenceData, sampleTickerListsNameEverySecurityOfTheirCategory)
{
    const std::pair<const char*, Category> lists[] = {{"A_azioni.lst", Category::Share},
                                                      {"O_obbligazioni.lst", Category::Bond},
                                                      {"D_derivati.lst", Category::Derivative},
                                                      {"F_fondi.lst", Category::Fund}};
    const Market& market = testing::sampleMarket();
    for (const auto& [file, category] : lists) {
        const std::vector<std::string> tickers = testing::sampleTickers(file);
        std::size_t inCategory = 0;
        for (const Security& security : market.securities())
            inCategory += security.category == category ? 1 : 0;
        EXPECT_EQ(tickers.size(), inCategory) << file;
        for (const std::string& ticker : tickers) {
            const Security* security = market.find(ticker);
            ASSERT_NE(security, nullptr) << file << ": " << ticker;
            EXPECT_EQ(security->category, category) << ticker;
        }
    }
}

TEST(ReferenceData, malformedLinesAreRefusedWithTheirLineNumber)
{
    struct Case
    {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"# c\nENI.MI;ENI;13.8\n", "t.csv:2: expected symbol;name;price;volume"},
        {"ENI.MI;ENI;13.8;1;x\n", "t.csv:1: expected symbol;name;price;volume"},
        {"ENI.MI;ENI;abc;1\n", "t.csv:1: bad price"},
        {"ENI.MI;ENI;-2;1\n", "t.csv:1: bad price"},
        {"ENI.MI;ENI;13.8;many\n", "t.csv:1: bad volume"},
        {";ENI;13.8;1\n", "t.csv:1: bad symbol"},
        {"ENI MI;ENI;13.8;1\n", "t.csv:1: bad symbol"},
        {"ENI.MI;\"ENI\";13.8;1\n", "t.csv:1: bad name"},
        {"ENI.MI;ENI;13.8;1\neni.mi;ENI again;13.8;1\n", "t.csv: symbol listed twice: eni.mi"},
    };
    for (const Case& c : cases) {
        std::vector<Security> out;
        EXPECT_EQ(reference::parseText(c.text, Category::Share, "t.csv", out), c.error) << c.text;
        EXPECT_TRUE(out.empty());
    }

    std::vector<Security> out;
    EXPECT_EQ(reference::parseText("\r\n# note\r\n ENI.MI ; ENI ; 13.80 ; 1000 \r\n", Category::Share,
                                   "t.csv", out),
              "");
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].symbol, "ENI.MI");
    EXPECT_EQ(out[0].name, "ENI");
    EXPECT_DOUBLE_EQ(out[0].referencePrice, 13.8);
    EXPECT_EQ(out[0].dailyVolume, 1000);
}

TEST(ReferenceData, aMissingFileInTheFolderIsReported)
{
    std::vector<Security> out;
    EXPECT_NE(reference::loadFolder("/nonexistent-quoted-data", out).find("cannot be read"),
              std::string::npos);
}

} // namespace
} // namespace listorix::quoted
