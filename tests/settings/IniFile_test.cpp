#include "ChildProcess.h"
#include "SettingsTestSupport.h"
#include "settings/IniFile.h"

#include <fcntl.h>
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

// One writer's saves of its own section, each checked on disk right after it
// reported success, while watching that the other writer's value never goes back.
std::string saveRepeatedly(const std::filesystem::path& path, const std::string& mine,
                           const std::string& theirs, int saves)
{
    IniFile ini(path); // one object for the whole run, as the program keeps it
    int theirsSeen = 0;
    for (int i = 1; i <= saves; ++i) {
        ini.writeString(mine, "save", std::to_string(i));
        const IniFile disk(path);
        const int onDisk = disk.readInteger(mine, "save", 0);
        if (onDisk != i)
            return "save " + std::to_string(i) + " of " + mine + " reported success, the file holds " +
                   std::to_string(onDisk);
        const int theirsNow = disk.readInteger(theirs, "save", 0);
        if (theirsNow < theirsSeen)
            return mine + " saw " + theirs + " go back from " + std::to_string(theirsSeen) + " to " +
                   std::to_string(theirsNow);
        theirsSeen = theirsNow;
    }
    return {};
}

TEST(IniFile, twoProcessesSavingTheirOwnSectionsLoseNothingOfEachOther)
{
    using namespace std::chrono_literals;
    ScratchDir dir;
    const auto path = dir.file("LISTORIX.INI");
    writeBytes(path, "[Window]\r\nShowCmd=1\r\n");
    constexpr int kSaves = 300;

    test::ChildProcess program([&] { return saveRepeatedly(path, "PROXY", "Portafoglio", kSaves); });
    test::ChildProcess tool([&] { return saveRepeatedly(path, "Portafoglio", "PROXY", kSaves); });
    const std::optional<std::string> programReport = program.finish(300s);
    const std::optional<std::string> toolReport = tool.finish(300s);
    ASSERT_TRUE(programReport && toolReport) << "the writers did not end";
    EXPECT_EQ(*programReport, "");
    EXPECT_EQ(*toolReport, "");

    const IniFile ini(path);
    EXPECT_EQ(ini.readInteger("PROXY", "save", 0), kSaves);
    EXPECT_EQ(ini.readInteger("Portafoglio", "save", 0), kSaves);
    EXPECT_EQ(ini.readString("Window", "ShowCmd"), "1");
}

TEST(IniFile, inPlaceChangeKeepingSizeAndTimeStampSurvivesTheNextWrite)
{
    ScratchDir dir;
    const auto path = dir.file("LISTORIX.INI");
    IniFile mine(path);
    mine.writeString("Grids", "Fondi", "40;50");
    mine.writeString("PROXY", "PORT", "8080");
    EXPECT_EQ(mine.readString("PROXY", "PORT"), "8080"); // read, and remembered

    // Another program rewrites the port in place, then puts the time stamp back.
    struct stat before = {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    std::string text = readBytes(path);
    text.replace(text.find("8080"), 4, "3128");
    {
        std::fstream inPlace(path, std::ios::in | std::ios::out | std::ios::binary);
        inPlace.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);

    mine.writeString("Grids", "Fondi", "60;70");
    EXPECT_EQ(readBytes(path), "[Grids]\r\nFondi=60;70\r\n[PROXY]\r\nPORT=3128\r\n");
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
