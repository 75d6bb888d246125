#include "fetch/CleanAnswer.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(CleanAnswer, dropsMarkupLinesAndCutsTheFirstAmpEntity)
{
    LineList lines = {
        "<html>",     "\"AT&amp;T\";\"A &amp; B &amp; C\";1",
        "<",          "\"X\";\"S&AMP;P\";2",
        "",           " <b>kept, it begins with a blank",
        "&Amp;&amp;", "<head>",
        "<body>",     "no entity & here; &am",
        "</html>",
    };
    CleanAnswer(lines);
    EXPECT_EQ(lines, (LineList{
                         "\"AT&T\";\"A &amp; B &amp; C\";1",
                         "\"X\";\"S&P\";2",
                         "",
                         " <b>kept, it begins with a blank",
                         "&&amp;",
                         "no entity & here; &am",
                     }));
}

TEST(CleanAnswer, emptyListStaysEmpty)
{
    LineList lines;
    CleanAnswer(lines);
    EXPECT_TRUE(lines.empty());
}

} // namespace
} // namespace listorix
