#include "SettingsTestSupport.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace listorix {
namespace {

using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

TEST(IniFile, readingAMissingFileGivesFallbacksAndCreatesNothing)
{
    ScratchDir dir;
    const IniFile ini(dir.file("LISTORIX.INI"));
    EXPECT_EQ(ini.value("PROXY", "PORT"), std::nullopt);
    EXPECT_EQ(ini.readString("PROXY", "ENABLED", "N"), "N");
    EXPECT_EQ(ini.readInteger("CONNESSIONI", "FONDI INTERVALLO", 180), 180);
    EXPECT_TRUE(ini.readSection("Portafoglio").empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("LISTORIX.INI")));
}

TEST(IniFile, integersMustBeWholeDecimalNumbers)
{
    ScratchDir dir;
    writeBytes(dir.file("n.ini"),
               "[N]\r\n"
               "plain=42\r\nneg=-1\r\nplus=+7\r\nspaced = 5 \r\nmin=-2147483648\r\n"
               "tail=42A9\r\nhex=B42\r\nempty=\r\nword=no\r\nbig=2147483648\r\ntwosigns=+-5\r\n");
    const IniFile ini(dir.file("n.ini"));
    const std::pair<const char*, int> cases[] = {
        {"plain", 42}, {"neg", -1},   {"plus", 7},  {"spaced", 5}, {"min", -2147483648}, {"tail", 99},
        {"hex", 99},   {"empty", 99}, {"word", 99}, {"big", 99},   {"twosigns", 99},     {"missing", 99},
    };
    for (const auto& [key, expected] : cases)
        EXPECT_EQ(ini.readInteger("N", key, 99), expected) << key;
}

TEST(IniFile, valuesAreCutAt2047Characters)
{
    ScratchDir dir;
    const std::string longValue = std::string(2047, 'x') + "TAIL";
    writeBytes(dir.file("long.ini"), "[S]\r\nk=" + longValue + "\r\n");
    const IniFile ini(dir.file("long.ini"));
    EXPECT_EQ(ini.readString("S", "k"), std::string(2047, 'x'));
    EXPECT_EQ(ini.readSection("S"), (IniEntries{{"k", std::string(2047, 'x')}}));
}

TEST(IniFile, eachWriteReachesTheFileAndLaterReadsSeeOtherWriters)
{
    ScratchDir dir;
    const auto path = dir.file("LISTORIX.INI");
    IniFile mine(path);
    EXPECT_EQ(mine.value("A", "k"), std::nullopt);

    mine.writeString("A", "k", "1");
    EXPECT_EQ(readBytes(path), "[A]\r\nk=1\r\n");

    // Another writer in between: its key is seen and survives our next write.
    IniFile(path).writeString("B", "other", "theirs");
    EXPECT_EQ(mine.value("B", "other"), "theirs");
    mine.writeString("A", "k", "2");
    EXPECT_EQ(readBytes(path), "[A]\r\nk=2\r\n[B]\r\nother=theirs\r\n");

    mine.writeValues("B", {{"x", "1"}, {"y", "2"}});
    mine.replaceSection("A", {{"1", "a"}});
    mine.eraseSection("B");
    EXPECT_EQ(readBytes(path), "[A]\r\n1=a\r\n");
}

TEST(IniFile, failedWriteKeepsFileAndMemoryAsTheyWere)
{
    ScratchDir dir;
    const auto path = dir.file("LISTORIX.INI");
    const std::string original = "[A]\nk=old\n[Other]\nx=1";
    writeBytes(path, original);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

    IniFile ini(path);
    EXPECT_THROW(ini.writeString("A", "k", "new"), FileWriteError);
    EXPECT_THROW(ini.eraseSection("Other"), FileWriteError);
    EXPECT_EQ(readBytes(path), original);
    EXPECT_EQ(ini.value("A", "k"), "old");
    EXPECT_TRUE(ini.sectionExists("Other"));
    // Nothing to change is no write, so no failure either.
    EXPECT_NO_THROW(ini.writeString("A", "k", "old"));
}

TEST(IniFile, windowPlacementSectionReadsAndWritesThroughTheLayer)
{
    ScratchDir dir;
    const auto path = dir.file("LISTORIX.INI");
    const std::string original = readBytes(test::fixture("original.ini"));
    writeBytes(path, original);

    IniFile ini(path);
    EXPECT_EQ(ini.readInteger("Window", "FormVersion", -1), 0);
    EXPECT_EQ(ini.readInteger("Window", "ShowCmd", -1), 3);
    EXPECT_EQ(ini.readString("Window", "NormPos"), "112,84,912,684");
    EXPECT_EQ(ini.readString("Window", "MinMaxPos"), "-1,-1,-4,-4");

    ini.writeValues("Window", {{"ShowCmd", "1"}, {"NormPos", "10,20,810,620"}, {"Visible", "1"}});
    std::string expected = original;
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"ShowCmd=3", "ShowCmd=1"},
                                   {"NormPos=112,84,912,684", "NormPos=10,20,810,620"},
                                   {"Visible=0", "Visible=1"}})
        expected.replace(expected.find(from), from.size(), to);
    EXPECT_EQ(readBytes(path), expected);
}

} // namespace
} // namespace listorix
