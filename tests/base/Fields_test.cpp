#include "base/Fields.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace listorix {
namespace {

TEST(NextField, cutsFieldsAtSemicolons)
{
    std::string rest = "a;;b";
    EXPECT_EQ(NextField(rest), "a");
    EXPECT_EQ(rest, ";b");
    EXPECT_EQ(NextField(rest), "");
    EXPECT_EQ(NextField(rest), "b");
    EXPECT_EQ(rest, "");

    rest = "no separator";
    EXPECT_EQ(NextField(rest), "no separator");
    EXPECT_EQ(rest, "");

    rest = "last;";
    EXPECT_EQ(NextField(rest), "last");
    EXPECT_EQ(rest, "");
}

TEST(SplitToList, cutsAtEverySeparator)
{
    struct Case
    {
        std::string_view text;
        LineList pieces;
    };
    const Case cases[] = {
        {"1;2;;4;", {"1", "2", "", "4"}},   {"", {}}, {"abc", {"abc"}}, {";", {""}}, {";;a", {"", "", "a"}},
        {"a;b c; d ", {"a", "b c", " d "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LineList list{"stale"};
        SplitToList(';', c.text, list);
        EXPECT_EQ(list, c.pieces);
    }
}

} // namespace
} // namespace listorix
