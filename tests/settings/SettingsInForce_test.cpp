// The configuration dialog's controls as the settings in force: loading, storing
// and applying, "Annulla", and the rules of the port field and the time selectors.
#include "SettingsTestSupport.h"
#include "settings/SettingsInForce.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

class SettingsInForceTest : public ::testing::Test
{
protected:
    SettingsInForceTest()
    {
        settings.setApplySettings([this] { ++applied; });
    }

    test::ScratchDir dir;
    std::filesystem::path file = dir.file("LISTORIX.INI");
    SettingsInForce settings{file};
    int applied = 0;
};

TEST_F(SettingsInForceTest, loadFillsTheControlsAndTheProxyRuleGreysTheFields)
{
    test::writeBytes(file,
                     "[PROXY]\r\nENABLED=S\r\nADDRESS=proxy.lan\r\nPORT=3128\r\nUSERNAME=anna\r\n"
                     "PASSWORD=006E007C008A\r\n[CONNESSIONI]\r\nDERIVATI ENABLED=0\r\nMIB30 ENABLED=0\r\n");
    ConfigurationControls& c = settings.controls();
    c.selector(SelectorRow::Fondi).stepHours(+3);
    settings.LoadSettings();

    EXPECT_TRUE(c.proxy.enabled);
    EXPECT_TRUE(c.proxyFieldsEnabled);
    EXPECT_EQ(c.proxy.address, "proxy.lan");
    EXPECT_EQ(c.proxy.port, "3128");
    EXPECT_EQ(c.proxy.username, "anna");
    EXPECT_EQ(c.proxy.password, "abc");
    EXPECT_FALSE(c.CheckBoxDerivatiEnable);
    EXPECT_FALSE(c.CheckBoxMIB30Enable);
    EXPECT_TRUE(c.CheckBoxIndiciEnable && c.CheckBoxMIBTELEnable && c.CheckBoxOBBEnable &&
                c.CheckBoxfondiEnable);
    EXPECT_EQ(c.selector(SelectorRow::Fondi).hoursText(), "03"); // loading leaves the selectors alone
    EXPECT_EQ(applied, 0);

    c.proxy.enabled = false;
    settings.CheckBoxProxyClick();
    EXPECT_FALSE(c.proxyFieldsEnabled);
}

TEST_F(SettingsInForceTest, okStoresEveryCheckBoxMib30IncludedAndApplies)
{
    settings.Execute();
    settings.controls().CheckBoxMIB30Enable = false;
    settings.controls().proxy.enabled = true;
    settings.controls().proxy.address = "10.0.0.1";
    EXPECT_EQ(settings.BitBtn1Click(), std::nullopt);

    EXPECT_EQ(applied, 1);
    EXPECT_NE(test::readBytes(file).find("MIB30 ENABLED=0\r\n"), std::string::npos);
    SettingsInForce reopened(file);
    reopened.Execute();
    EXPECT_FALSE(reopened.controls().CheckBoxMIB30Enable);
    EXPECT_TRUE(reopened.controls().proxy.enabled);
    EXPECT_EQ(reopened.controls().proxy.address, "10.0.0.1");
}

TEST_F(SettingsInForceTest, annullaPutsBackWhatTheDialogOpenedWith)
{
    test::writeBytes(file, "[PROXY]\r\nENABLED=N\r\nADDRESS=proxy.lan\r\n");
    settings.Execute();
    const ConfigurationControls opened = settings.controls();

    settings.controls().proxy.enabled = true;
    settings.CheckBoxProxyClick();
    settings.controls().proxy.address = "typed.example";
    settings.controls().CheckBoxfondiEnable = false;
    settings.BitBtn2Click();

    EXPECT_EQ(settings.controls(), opened);
    EXPECT_EQ(applied, 0);
}

TEST_F(SettingsInForceTest, aFailedWriteKeepsTheNewValuesReportsAndDoesNotApply)
{
    SettingsInForce settings(dir.file("missing/LISTORIX.INI")); // no folder to write into
    settings.setApplySettings([this] { ++applied; });
    settings.Execute();
    settings.controls().CheckBoxDerivatiEnable = false;
    const std::optional<std::string> error = settings.StoreSettings();

    ASSERT_TRUE(error);
    EXPECT_EQ(error->rfind("Unable to write to ", 0), 0u) << *error;
    EXPECT_FALSE(settings.controls().CheckBoxDerivatiEnable);
    EXPECT_FALSE(settings.record().DerivatiEnabled);
    EXPECT_EQ(applied, 0);
}

TEST_F(SettingsInForceTest, thePortFieldKeepsOnlyWholeNumbers)
{
    const std::pair<const char*, const char*> cases[] = {
        {"abc", "0"},   {"", "0"},    {"8080", "8080"},    {"-1", "-1"},
        {"+80", "+80"}, {"80a", "0"}, {"2147483648", "0"}, {"+-1", "0"},
    };
    for (const auto& [typed, kept] : cases) {
        settings.controls().proxy.port = typed;
        settings.EditServerProxyPortExit();
        EXPECT_EQ(settings.controls().proxy.port, kept) << typed;
    }
}

TEST_F(SettingsInForceTest, timeSelectorsShowTwoDigitsAndStayInRange)
{
    EXPECT_EQ(SettingsInForce::EditIndiciOreChange(""), "00");
    EXPECT_EQ(SettingsInForce::EditIndiciOreChange("7"), "07");
    EXPECT_EQ(SettingsInForce::EditIndiciMinutiChange("55"), "55");

    TimeSelector selector;
    EXPECT_EQ(selector.hoursText() + ":" + selector.minutesText(), "00:05");
    selector.stepMinutes(-1);
    selector.stepMinutes(-1);
    selector.stepHours(-1);
    EXPECT_EQ(selector.hoursText() + ":" + selector.minutesText(), "00:00");
    for (int k = 0; k < 30; ++k) {
        selector.stepHours(+1);
        selector.stepMinutes(+1);
    }
    EXPECT_EQ(selector.hoursText() + ":" + selector.minutesText(), "23:55");
}

} // namespace
} // namespace listorix
