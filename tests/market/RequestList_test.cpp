#include "market/RequestList.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

LineList numberedSymbols(std::size_t count)
{
    LineList symbols;
    for (std::size_t i = 0; i < count; ++i)
        symbols.push_back("S" + std::to_string(i));
    return symbols;
}

// The symbols part of an entry built with prefix "P", fields "F" and caption "C".
std::string symbolsOf(const std::string& entry)
{
    const auto fields = entry.find("F\t");
    return entry.substr(1, fields - 1);
}

std::string captionOf(const std::string& entry)
{
    return entry.substr(entry.find('\t') + 1);
}

std::string joined(const LineList& symbols, std::size_t from, std::size_t to)
{
    std::string text;
    for (std::size_t i = from; i < to; ++i)
        text += (i == from ? "" : "+") + symbols[i];
    return text;
}

TEST(BuildRequestList, entryIsPrefixSymbolsFieldsTabCaptionAndPartNumber)
{
    LineList target;
    BuildRequestList(target, {"ENI.MI", "TIT.MI"}, "http://h/d/quotes.csv?s=", "Yahoo finanza: Fondi",
                     kCategoryFields);
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0], "http://h/d/quotes.csv?s=ENI.MI+TIT.MI&f=snl1d1t1oghpc2v\tYahoo finanza: Fondi 1/1");
}

TEST(BuildRequestList, cutsSymbolsIntoChunksOfTwoHundred)
{
    struct Case
    {
        std::size_t symbols;
        std::vector<std::size_t> chunkEnds;
    };
    const Case cases[] = {
        {0, {}}, {1, {1}}, {200, {200}}, {201, {200, 201}}, {450, {200, 400, 450}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbols);
        const LineList symbols = numberedSymbols(c.symbols);
        LineList target;
        BuildRequestList(target, symbols, "P", "C", "F");
        ASSERT_EQ(target.size(), c.chunkEnds.size());
        std::size_t from = 0;
        for (std::size_t k = 0; k < target.size(); ++k) {
            EXPECT_EQ(symbolsOf(target[k]), joined(symbols, from, c.chunkEnds[k]));
            EXPECT_EQ(captionOf(target[k]),
                      "C " + std::to_string(k + 1) + "/" + std::to_string(c.chunkEnds.size()));
            from = c.chunkEnds[k];
        }
    }
}

TEST(BuildRequestList, blankLineCountsAsSymbolAndShowsAsTwoPlusSigns)
{
    LineList target;
    BuildRequestList(target, {"A", "", "B"}, "P", "C", "F");
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(symbolsOf(target[0]), "A++B");

    // 199 symbols, a blank, one more: the blank fills the first chunk.
    LineList symbols = numberedSymbols(199);
    symbols.push_back("");
    symbols.push_back("LAST");
    target.clear();
    BuildRequestList(target, symbols, "P", "C", "F");
    ASSERT_EQ(target.size(), 2u);
    EXPECT_EQ(symbolsOf(target[0]), joined(symbols, 0, 199) + "+");
    EXPECT_EQ(symbolsOf(target[1]), "LAST");
    EXPECT_EQ(captionOf(target[1]), "C 2/2");
}

TEST(BuildRequestList, chunkOfBlanksOnlyGivesNoEntryAndIsNotCounted)
{
    LineList symbols(200, "");
    symbols.push_back("X");
    LineList target;
    BuildRequestList(target, symbols, "P", "C", "F");
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0], "PXF\tC 1/1");
}

TEST(BuildRequestList, appendsWithoutClearingTarget)
{
    LineList target{"earlier"};
    BuildRequestList(target, {"X"}, "P", "C", "F");
    EXPECT_EQ(target, (LineList{"earlier", "PXF\tC 1/1"}));
}

} // namespace
} // namespace listorix
