#include "SettingsTestSupport.h"
#include "base/AtomicFile.h"
#include "settings/ProgramDir.h"
#include "settings/TiniConfig.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace listorix {
namespace {

using test::firstStartConfig;
using test::fixture;
using test::readBytes;
using test::ScratchDir;
using test::writeBytes;

// Every test works on LISTORIX.INI in a directory of its own.
class TiniConfigTest : public ::testing::Test
{
protected:
    void SetUp() override { setProgramDir(m_dir.path().string()); }
    void TearDown() override { resetProgramDir(); }

    std::filesystem::path settingsFile() const { return m_dir.file("LISTORIX.INI"); }
    void install(std::string_view fixtureName) const
    {
        writeBytes(settingsFile(), readBytes(fixture(fixtureName)));
    }

    ScratchDir m_dir;
};

TEST_F(TiniConfigTest, firstStartWithoutFileGivesDefaultsAndCreatesNoFile)
{
    TiniConfig config;
    config.proxy.enabled = true;
    config.proxy.address = "stale";
    ReadConfig(config, settingsFile());
    EXPECT_EQ(config, firstStartConfig());
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
}

TEST_F(TiniConfigTest, readsTheFileTheWindowsProgramWrote)
{
    install("original.ini");
    TiniConfig expected = firstStartConfig();
    expected.proxy.enabled = true;
    expected.proxy.address = "proxy.example.it";
    expected.proxy.port = "8080";
    expected.proxy.username = "mrossi";
    expected.proxy.password = "segreto";
    expected.Mib30Enabled = false;
    expected.DerivatiEnabled = false;

    TiniConfig config;
    ReadConfig(config, settingsFile());
    EXPECT_EQ(config, expected);
}

TEST_F(TiniConfigTest, readsAHandEditedFile)
{
    // LF line ends, blanks around "=", other spellings, quotes, comments, a
    // repeated key and no line end at the end.
    install("hand-edited.ini");
    TiniConfig expected = firstStartConfig();
    expected.proxy.enabled = true;
    expected.proxy.address = "proxy.lan ";
    expected.proxy.port = "3128";
    expected.proxy.username = "m rossi";
    expected.proxy.password = "abc";
    expected.IndiciEnabled = false;
    expected.IndiciIntervallo = 7;
    expected.FondiIntervallo = 240;

    TiniConfig config;
    ReadConfig(config, settingsFile());
    EXPECT_EQ(config, expected);
}

TEST_F(TiniConfigTest, booleanConventionsOfTheTwoSections)
{
    // PROXY: only an exact "S" is on. CONNESSIONI: any integer but 0 is on, and
    // what is not an integer takes the default, which is on.
    const std::pair<std::optional<std::string>, bool> proxyCases[] = {
        {"S", true},   {"\"S\"", true}, {"s", false}, {"1", false},
        {"SI", false}, {"N", false},    {"", false},  {std::nullopt, false}};
    const std::pair<std::optional<std::string>, bool> connectionCases[] = {
        {"1", true},  {"0", false}, {"2", true},  {"-1", true},
        {"no", true}, {"", true},   {"0x", true}, {std::nullopt, true}};
    for (const auto& [stored, expected] : proxyCases) {
        writeBytes(settingsFile(), stored ? "[PROXY]\r\nENABLED=" + *stored + "\r\n" : "[PROXY]\r\n");
        TiniConfig config;
        ReadConfig(config, settingsFile());
        EXPECT_EQ(config.proxy.enabled, expected) << stored.value_or("(missing)");
    }
    for (const auto& [stored, expected] : connectionCases) {
        writeBytes(settingsFile(), stored ? "[CONNESSIONI]\r\nINDICI ENABLED=" + *stored + "\r\n" : "");
        TiniConfig config;
        ReadConfig(config, settingsFile());
        EXPECT_EQ(config.IndiciEnabled, expected) << stored.value_or("(missing)");
    }
}

TEST_F(TiniConfigTest, writeKeepsOtherSectionsByteForByte)
{
    install("original.ini");
    const std::string original = readBytes(settingsFile());
    TiniConfig config;
    ReadConfig(config, settingsFile());
    config.proxy.enabled = false;
    config.proxy.address = "10.0.0.1";
    config.proxy.password = "nuova";
    config.Mib30Enabled = true;
    config.FondiIntervallo = 60;
    WriteConfig(config, settingsFile());

    const std::string written = readBytes(settingsFile());
    const auto proxyAt = original.find("[PROXY]");
    const auto foreignAt = original.find("[Portafoglio]");
    // "Window" before, "Portafoglio", "Grids" and the series after: untouched.
    EXPECT_EQ(written.substr(0, proxyAt), original.substr(0, proxyAt));
    ASSERT_GE(written.size(), original.size() - foreignAt);
    EXPECT_EQ(written.substr(written.size() - (original.size() - foreignAt)), original.substr(foreignAt));
    EXPECT_NE(written.find("ENABLED=N\r\nADDRESS=10.0.0.1\r\n"), std::string::npos);
    EXPECT_NE(written.find("MIB30 ENABLED=1\r\n"), std::string::npos);
    EXPECT_NE(written.find("FONDI INTERVALLO=60\r\n"), std::string::npos);

    TiniConfig reread;
    ReadConfig(reread, settingsFile());
    EXPECT_EQ(reread, config);
}

TEST_F(TiniConfigTest, writeIntoAFileWithoutSettingsAppendsThem)
{
    // Only foreign sections, LF line ends, no final line end.
    const std::string foreign = "[Window]\nNormPos=1,2,3,4\n[Grids]\nAzioni=40;50";
    writeBytes(settingsFile(), foreign);
    TiniConfig config = firstStartConfig();
    config.proxy.enabled = true;
    config.proxy.address = " spaced ";
    config.proxy.username = "utente";
    config.proxy.password = std::string("\xFF\x01 \xE8", 4);
    WriteConfig(config, settingsFile());

    const std::string written = readBytes(settingsFile());
    EXPECT_EQ(written.substr(0, foreign.size() + 2), foreign + "\r\n");
    EXPECT_EQ(written.substr(foreign.size() + 2, 20), "[PROXY]\r\nENABLED=S\r\n");
    TiniConfig reread;
    ReadConfig(reread, settingsFile());
    EXPECT_EQ(reread, config);
}

TEST_F(TiniConfigTest, newSettingsFileIsPrivateToItsOwner)
{
    WriteConfig(firstStartConfig(), settingsFile());
    struct stat info = {};
    ASSERT_EQ(::stat(settingsFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(TiniConfigTest, unwritableFileReportsItsPathAndStaysAsItWas)
{
    install("original.ini");
    ASSERT_EQ(::chmod(settingsFile().c_str(), 0444), 0);
    TiniConfig config;
    ReadConfig(config, settingsFile());
    config.proxy.port = "3128";
    try {
        WriteConfig(config, settingsFile());
        FAIL() << "the write did not fail";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + SettingsFilePath());
    }
    EXPECT_EQ(readBytes(settingsFile()), readBytes(fixture("original.ini")));
}

TEST(PasswordScrambling, storedFormsOfPasswords)
{
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "006E007C008A"},
        {"", ""},
        // The offset repeats every 27 characters: "0" adds 0, "1" adds 13 again.
        {"abcdefghijklmnopqrstuvwxyz01",
         "006E007C008A009800A600B400C200D000DE00EC00FA01080116012401320140014E015C"
         "016A01780186019401A201B001BE01CC0030003E"},
        // The largest sum, 255 + 26 * 13, still fits four digits.
        {std::string(25, ' ') + "\xFF",
         "002D003A004700540061006E007B0088009500A200AF00BC00C900D600E300F000FD010A"
         "011701240131013E014B015801650251"},
    };
    for (const auto& [plain, stored] : cases) {
        EXPECT_EQ(EncodePassword(plain), stored) << plain;
        EXPECT_EQ(DecodePassword(stored), plain) << stored;
    }
}

TEST(PasswordScrambling, unscramblingStoredForms)
{
    const std::pair<std::string, std::string> cases[] = {
        {"006E007C008A0", "abc"},         // 13 characters: the tail is ignored
        {"006e007c008a", "abc"},          // lower-case digits are still hexadecimal
        {"006E00G1008A", ""},             // a group that is not hexadecimal: no password
        {"006E 07C008A", ""},             //
        {"025A", std::string(1, '\x4D')}, // only the low eight bits count
        {"", ""},
    };
    for (const auto& [stored, plain] : cases)
        EXPECT_EQ(DecodePassword(stored), plain) << stored;
}

TEST(ProgramDirectory, isTheDirectoryOfTheRunningProgram)
{
    resetProgramDir();
    const std::string expected =
        std::filesystem::canonical(std::filesystem::path(LISTORIX_BINARY_DIR) / "tests").string() + "/";
    EXPECT_EQ(ProgramDir(), expected);
    EXPECT_EQ(SettingsFilePath(), expected + "LISTORIX.INI");
}

TEST(ProgramDirectory, settingsFilePathTakesTheNameAsGiven)
{
    setProgramDir("/opt/listorix");
    const std::pair<const char*, const char*> cases[] = {
        {"", "/opt/listorix/LISTORIX.INI"},
        {"other.ini", "/opt/listorix/other.ini"},
        {"noext", "/opt/listorix/noext"},
        {"sub/x.ini", "/opt/listorix/sub/x.ini"},
    };
    for (const auto& [name, path] : cases)
        EXPECT_EQ(SettingsFilePath(name), path) << name;
    resetProgramDir();
}

} // namespace
} // namespace listorix
