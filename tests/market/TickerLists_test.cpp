#include "ScratchDir.h"
#include "market/TickerLists.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace listorix {
namespace {

using test::ScratchDir;

LineList sorted(LineList lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(LoadTickerLists, everyLineEndEndsALineAndLinesStayVerbatim)
{
    ScratchDir dir;
    dir.write("A_mixed.lst", "ENI.MI\r\nTIT.MI\rfia.mi\n ENEL.MI \r\n\r\nENI.MI\r\nLAST");
    LineList target;
    EXPECT_TRUE(LoadTickerLists(dir.dir(), 'A', target));
    EXPECT_EQ(target, (LineList{"ENI.MI", "TIT.MI", "fia.mi", " ENEL.MI ", "", "ENI.MI", "LAST"}));
}

TEST(LoadTickerLists, emptyFileAddsNothingAndABareLineEndAddsABlankLine)
{
    ScratchDir dir;
    dir.write("O_empty.lst", "");
    dir.write("D_blank.lst", "\r\n");
    LineList bonds;
    LoadTickerLists(dir.dir(), 'O', bonds);
    EXPECT_TRUE(bonds.empty());
    LineList derivatives;
    LoadTickerLists(dir.dir(), 'D', derivatives);
    EXPECT_EQ(derivatives, LineList{""});
}

TEST(LoadTickerLists, matchesLetterUnderscoreAnythingLstInAnyCase)
{
    ScratchDir dir;
    for (const char* name :
         {"a_lower.lst", "A_UPPER.LST", "A_.lst", "A_two.dots.Lst", "A-hyphen.lst", "Anounderscore.lst",
          "A_x.lst.bak", "A_x.ls", "AO_x.lst", "O_bond.lst", "B_other.lst", "xA_x.lst"})
        dir.write(name, name);
    LineList shares;
    LoadTickerLists(dir.dir(), 'A', shares);
    EXPECT_EQ(sorted(shares), sorted({"a_lower.lst", "A_UPPER.LST", "A_.lst", "A_two.dots.Lst"}));

    LineList bonds;
    LoadTickerLists(dir.dir(), 'o', bonds);
    EXPECT_EQ(bonds, LineList{"O_bond.lst"});
}

TEST(LoadTickerLists, unreadableEntriesAreSkippedAndTheOthersLoad)
{
    ScratchDir dir;
    dir.write("A_good.lst", "GOOD");
    std::filesystem::create_directory(dir.path() / "A_directory.lst");
    dir.write("A_directory.lst/inner.lst", "INNER");
    std::filesystem::create_symlink(dir.path() / "missing", dir.path() / "A_dangling.lst");
    ASSERT_EQ(::mkfifo((dir.path() / "A_fifo.lst").c_str(), 0600), 0); // would block a plain open
    dir.write("A_locked.lst", "LOCKED");
    std::filesystem::permissions(dir.path() / "A_locked.lst", std::filesystem::perms::none);
    dir.write("F_fund.lst", "FUND");

    // A privileged user reads the locked file all the same.
    const bool lockedReadable = ::access((dir.path() / "A_locked.lst").c_str(), R_OK) == 0;
    LineList expected{"GOOD"};
    if (lockedReadable)
        expected.push_back("LOCKED");

    LineList shares;
    EXPECT_TRUE(LoadTickerLists(dir.dir(), 'A', shares));
    EXPECT_EQ(sorted(shares), sorted(expected));
    LineList funds;
    LoadTickerLists(dir.dir(), 'F', funds);
    EXPECT_EQ(funds, LineList{"FUND"});
}

TEST(LoadTickerLists, symlinkToAFileIsRead)
{
    ScratchDir dir;
    dir.write("elsewhere.txt", "LINKED");
    std::filesystem::create_symlink(dir.path() / "elsewhere.txt", dir.path() / "A_link.lst");
    LineList shares;
    LoadTickerLists(dir.dir(), 'A', shares);
    EXPECT_EQ(shares, LineList{"LINKED"});
}

TEST(LoadTickerLists, missingDirectoryAddsNothingAndKeepsTarget)
{
    ScratchDir dir;
    LineList target{"kept"};
    EXPECT_TRUE(LoadTickerLists(dir.dir() + "absent/", 'A', target));
    EXPECT_EQ(target, LineList{"kept"});
}

TEST(LoadTickerLists, appendsFilesInDirectoryOrderThenLineOrder)
{
    ScratchDir dir;
    dir.write("A_1.lst", "ONE\r\nTWO\r\n");
    dir.write("A_2.lst", "THREE\r\n");
    dir.write("A_3.lst", "FOUR\r\nFIVE");
    const std::map<std::string, LineList> contents = {
        {"A_1.lst", {"ONE", "TWO"}}, {"A_2.lst", {"THREE"}}, {"A_3.lst", {"FOUR", "FIVE"}}};
    LineList expected{"before"};
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        const LineList& lines = contents.at(entry.path().filename().string());
        expected.insert(expected.end(), lines.begin(), lines.end());
    }
    LineList target{"before"};
    LoadTickerLists(dir.dir(), 'A', target);
    EXPECT_EQ(target, expected);
}

} // namespace
} // namespace listorix
