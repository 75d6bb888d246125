#include "SettingsTestSupport.h"
#include "settings/IniFile.h"
#include "settings/WindowPlacement.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace listorix {
namespace {

using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

TEST(WindowPlacement, savedPlacementComesBackAndOtherSectionsStay)
{
    ScratchDir dir;
    const auto path = dir.file("LISTORIX.INI");
    writeBytes(
        path, "[PROXY]\r\nENABLED=S\r\n[Window]\r\nNormPos=1,2,3,4\r\nOld=x\r\n[Grids]\r\nAzioni=64;121\r\n");
    IniFile file(path);
    const WindowPlacement saved{{120, 80, 734, 524}, true, 96};
    writeWindowPlacement(file, saved);

    EXPECT_EQ(readWindowPlacement(IniFile(path)), saved);
    const std::string text = readBytes(path);
    EXPECT_NE(text.find("[PROXY]\r\nENABLED=S\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Grids]\r\nAzioni=64;121\r\n"), std::string::npos);
    EXPECT_NE(text.find("NormPos=120,80,734,524\r\n"), std::string::npos);
    EXPECT_NE(text.find("ShowCmd=3\r\n"), std::string::npos);
    for (const char* key : {"FormVersion=0", "Flags=", "PixelsPerInch=96", "MinMaxPos=", "Visible="})
        EXPECT_NE(text.find(key), std::string::npos) << key;
}

struct ReadCase
{
    const char* section;
    std::optional<WindowPlacement> expected;
};

TEST(WindowPlacement, readingTakesWhatTheSectionHolds)
{
    const ReadCase cases[] = {
        {"", std::nullopt},
        {"NormPos=10,20,630,480\r\nShowCmd=1\r\n", WindowPlacement{{10, 20, 630, 480}, false, 96}},
        {"NormPos=-1600,20,-980,480\r\n", WindowPlacement{{-1600, 20, -980, 480}, false, 96}},
        {"NormPos=10,20,630,480\r\nShowCmd=3\r\nPixelsPerInch=120\r\n",
         WindowPlacement{{10, 20, 630, 480}, true, 120}},
        // Minimised: back as it stood before, maximised only with the flag.
        {"NormPos=10,20,630,480\r\nShowCmd=2\r\nFlags=2\r\n", WindowPlacement{{10, 20, 630, 480}, true, 96}},
        {"NormPos=10,20,630,480\r\nShowCmd=2\r\nFlags=0\r\n", WindowPlacement{{10, 20, 630, 480}, false, 96}},
        {"NormPos=10,20,630\r\n", std::nullopt},
        {"NormPos=10,20,630,480,5\r\n", std::nullopt},
        {"NormPos=10,x,630,480\r\n", std::nullopt},
        {"NormPos=10,20,10,480\r\n", std::nullopt}, // no width
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.section);
        ScratchDir dir;
        writeBytes(dir.file("LISTORIX.INI"), std::string("[Window]\r\n") + c.section);
        EXPECT_EQ(readWindowPlacement(IniFile(dir.file("LISTORIX.INI"))), c.expected);
    }
}

struct ReachCase
{
    const char* what;
    WindowRect window;
    WindowRect expected;
};

TEST(WindowPlacement, placementOffEveryScreenComesBackOntoThePrimary)
{
    const WindowRect primary{0, 0, 1920, 1080};
    const WindowRect second{1920, 0, 3200, 1024};
    const std::vector<WindowRect> screens = {primary, second};
    const ReachCase cases[] = {
        {"on the primary", {100, 100, 714, 544}, {100, 100, 714, 544}},
        {"on the second screen", {2000, 50, 2614, 494}, {2000, 50, 2614, 494}},
        {"across both", {1700, 10, 2314, 454}, {1700, 10, 2314, 454}},
        {"48 pixels on the right edge", {1872, 10, 2486, 454}, {1872, 10, 2486, 454}},
        {"on a screen since removed", {3400, 100, 4014, 544}, {653, 318, 1267, 762}},
        {"left of everything", {-800, 100, -186, 544}, {653, 318, 1267, 762}},
        {"top edge above the screens", {100, -200, 714, 244}, {653, 318, 1267, 762}},
        {"top edge at the bottom", {100, 1070, 714, 1514}, {653, 318, 1267, 762}},
        {"larger than the primary", {5000, 0, 7500, 2000}, {0, 0, 1920, 1080}},
    };
    for (const ReachCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(bringWithinReach(c.window, screens, primary), c.expected);
    }
}

} // namespace
} // namespace listorix
