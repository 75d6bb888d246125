#include "AnsweringPrompts.h"
#include "ScratchDir.h"
#include "settings/SettingsInForce.h"
#include "settings/gui/TFormConfigura.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace listorix {
namespace {

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The dialog over the settings of a scratch program folder, opened as
// "Configurazione" opens it.
class TFormConfiguraTest : public ::testing::Test
{
protected:
    TFormConfiguraTest()
    {
        dir.write("LISTORIX.INI",
                  "[PROXY]\r\nENABLED=S\r\nADDRESS=proxy.lan\r\nPORT=3128\r\nUSERNAME=mario\r\n"
                  "PASSWORD=006E007C008A\r\n[CONNESSIONI]\r\nMIB30 ENABLED=0\r\n");
        settings.setApplySettings([this] { ++applied; });
    }

    void open()
    {
        dialog.prepareToShow();
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    template <typename T>
    T* control(const char* name) const
    {
        auto* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton); }
    void step(const char* upDown, const char* arrow, int times)
    {
        auto* button = control<QWidget>(upDown)->findChild<QToolButton*>(arrow);
        for (int k = 0; k < times; ++k)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    std::string file() const { return readFile(dir.file("LISTORIX.INI")); }

    test::ScratchDir dir;
    test::AnsweringPrompts prompts;
    SettingsInForce settings{dir.file("LISTORIX.INI")};
    TFormConfigura dialog{settings, prompts};
    int applied = 0;
};

TEST_F(TFormConfiguraTest, opensWithTheFilesSettingsInItsControls)
{
    open();
    EXPECT_EQ(dialog.windowTitle(), "Configurazione");
    EXPECT_EQ(dialog.size(), QSize(333, 404));
    EXPECT_TRUE(control<QCheckBox>("CheckBoxProxy")->isChecked());
    EXPECT_EQ(control<QCheckBox>("CheckBoxProxy")->text(), "Proxy Server");
    EXPECT_EQ(control<QLineEdit>("EditServerProxyAddress")->text(), "proxy.lan");
    EXPECT_EQ(control<QLineEdit>("EditServerProxyPassword")->text(), "abc");
    EXPECT_EQ(control<QLineEdit>("EditServerProxyPassword")->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(control<QCheckBox>("CheckBoxMIB30Enable")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("CheckBoxfondiEnable")->isChecked());
    EXPECT_EQ(control<QLineEdit>("EditIndiciOre")->text(), "00");
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "05");
    EXPECT_TRUE(control<QLineEdit>("Edit1")->isReadOnly());
    EXPECT_FALSE(control<QLineEdit>("Edit1")->isEnabled());
}

TEST_F(TFormConfiguraTest, timeSelectorsMoveOnlyByTheirArrowsWithinTheirRangesInTwoDigits)
{
    open();
    step("UpDownMIB30ore", "Up", 3);
    EXPECT_EQ(control<QLineEdit>("EditMIB30ore")->text(), "03");
    step("UpDownMIB30ore", "Up", 30);
    EXPECT_EQ(control<QLineEdit>("EditMIB30ore")->text(), "23");
    step("UpDown2", "Up", 2);
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "15");
    step("UpDown2", "Down", 9);
    EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "00");
}

TEST_F(TFormConfiguraTest, proxyOffGreysTheGroupAndItsFieldsAndTheModelFollows)
{
    open();
    click("CheckBoxProxy");
    EXPECT_FALSE(settings.controls().proxy.enabled);
    EXPECT_FALSE(control<QGroupBox>("GroupBoxProxy")->isEnabled());
    for (const char* field : {"EditServerProxyAddress", "EditServerProxyPort", "EditServerProxyUsername",
                              "EditServerProxyPassword"})
        EXPECT_FALSE(control<QLineEdit>(field)->isEnabled()) << field;
    EXPECT_TRUE(control<QCheckBox>("CheckBoxProxy")->isEnabled());
    click("CheckBoxProxy");
    EXPECT_TRUE(control<QLineEdit>("EditServerProxyPort")->isEnabled());
}

TEST_F(TFormConfiguraTest, aPortThatIsNotANumberBecomesZeroWhenTheFieldIsLeft)
{
    open();
    auto* port = control<QLineEdit>("EditServerProxyPort");
    port->setFocus();
    port->selectAll();
    QTest::keyClicks(port, "abc");
    EXPECT_EQ(settings.controls().proxy.port, "abc");
    control<QLineEdit>("EditServerProxyUsername")->setFocus();
    EXPECT_EQ(port->text(), "0");
    EXPECT_EQ(settings.controls().proxy.port, "0");
}

TEST_F(TFormConfiguraTest, okStoresWritesAndAppliesWhatTheControlsShow)
{
    open();
    click("CheckBoxDerivatiEnable");
    click("CheckBoxMIB30Enable");
    auto* user = control<QLineEdit>("EditServerProxyUsername");
    user->selectAll();
    QTest::keyClicks(user, "luc");
    QKeyEvent agrave(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("à"));
    QApplication::sendEvent(user, &agrave); // typed as one character
    click("BitBtn1");

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(applied, 1);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_FALSE(settings.controls().CheckBoxDerivatiEnable);
    const std::string text = file();
    EXPECT_NE(text.find("DERIVATI ENABLED=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("MIB30 ENABLED=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("USERNAME=luc\xE0\r\n"), std::string::npos);
}

TEST_F(TFormConfiguraTest, annullaPutsBackWhatTheDialogOpenedWith)
{
    open();
    auto* address = control<QLineEdit>("EditServerProxyAddress");
    address->selectAll();
    QTest::keyClicks(address, "elsewhere");
    click("CheckBoxProxy");
    click("CheckBoxIndiciEnable");
    click("BitBtn2");

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(settings.controls().proxy.address, "proxy.lan");
    EXPECT_TRUE(settings.controls().proxy.enabled);
    EXPECT_TRUE(settings.controls().CheckBoxIndiciEnable);
    EXPECT_EQ(address->text(), "proxy.lan");
}

// Every control as "name x y width height" in the order the dialog makes them: a
// label by its quoted text, the proxy fields relative to their group.
std::vector<std::string> layoutOf(const QDialog& dialog)
{
    std::vector<std::string> lines;
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
        const QWidget* parent = widget->parentWidget();
        if (parent != &dialog && parent->objectName() != "GroupBoxProxy")
            continue; // the parts of a control
        const auto* label = qobject_cast<const QLabel*>(widget);
        const QString name = !widget->objectName().isEmpty() ? widget->objectName()
                             : label                         ? '"' + label->text() + '"'
                                                             : QString("?");
        const QRect r = widget->geometry();
        std::ostringstream line;
        line << name.toStdString() << ' ' << r.x() << ' ' << r.y() << ' ' << r.width() << ' ' << r.height();
        lines.push_back(line.str());
    }
    return lines;
}

TEST_F(TFormConfiguraTest, sourceRowSitsBelowTheProxyGroupAndMovesNothingElse)
{
    std::vector<std::string> before;
    std::istringstream golden(
        readFile(std::filesystem::path(LISTORIX_TEST_DATA_DIR) / "settings/configuration_dialog_layout.txt"));
    for (std::string line; std::getline(golden, line);)
        if (!line.empty() && line[0] != '#')
            before.push_back(line);
    ASSERT_FALSE(before.empty());

    open();
    const int grown = dialog.height() - 374;
    EXPECT_GT(grown, 0);
    std::vector<std::string> after;
    for (std::string line : layoutOf(dialog)) {
        if (line.rfind("LabelSorgente ", 0) == 0 || line.rfind("ComboBoxSorgente ", 0) == 0)
            continue;
        // OK and Annulla stay at the bottom edge, which the row moved down.
        if (line.rfind("BitBtn", 0) == 0) {
            std::istringstream fields(line);
            std::string name;
            int x, y, w, h;
            fields >> name >> x >> y >> w >> h;
            line = name + ' ' + std::to_string(x) + ' ' + std::to_string(y - grown) + ' ' +
                   std::to_string(w) + ' ' + std::to_string(h);
        }
        after.push_back(line);
    }
    EXPECT_EQ(after, before);

    const QRect group = control<QWidget>("GroupBoxProxy")->geometry();
    const QRect combo = control<QComboBox>("ComboBoxSorgente")->geometry();
    const QRect label = control<QLabel>("LabelSorgente")->geometry();
    EXPECT_EQ(control<QLabel>("LabelSorgente")->text(), "Sorgente dati");
    EXPECT_GT(combo.top(), group.bottom());
    EXPECT_EQ(label.top(), combo.top());
    EXPECT_LT(combo.bottom(), control<QWidget>("BitBtn1")->geometry().top());
    EXPECT_LE(combo.right(), dialog.width());
}

TEST_F(TFormConfiguraTest, sourceComboShowsTheFilesSourceAndOkStoresTheChoice)
{
    dir.write("LISTORIX.INI", "[SERVIZIO]\r\nSORGENTE=demo\r\n");
    open();
    auto* source = control<QComboBox>("ComboBoxSorgente");
    ASSERT_EQ(source->count(), 3);
    EXPECT_EQ(source->currentIndex(), 1);

    // Annulla puts the file's choice back.
    source->setCurrentIndex(2);
    emit source->activated(2);
    EXPECT_EQ(settings.controls().ComboBoxSorgente, QuoteSource::Web);
    click("BitBtn2");
    EXPECT_EQ(settings.controls().ComboBoxSorgente, QuoteSource::Demo);
    EXPECT_EQ(source->currentIndex(), 1);

    open();
    source->setCurrentIndex(2);
    emit source->activated(2);
    click("BitBtn1");
    EXPECT_NE(file().find("SORGENTE=web"), std::string::npos);
    EXPECT_EQ(settings.controls().ComboBoxSorgente, QuoteSource::Web);
}

TEST(TFormConfigura, aFailedWriteIsShownAndNothingIsApplied)
{
    // A settings file that reads but cannot be replaced, whoever runs the test.
    SettingsInForce settings("/proc/version");
    int applied = 0;
    settings.setApplySettings([&] { ++applied; });
    test::AnsweringPrompts prompts;
    TFormConfigura dialog(settings, prompts);
    dialog.prepareToShow();
    dialog.show();
    QTest::mouseClick(dialog.findChild<QCheckBox*>("CheckBoxfondiEnable"), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);

    EXPECT_EQ(prompts.shown, std::vector<std::string>{"warning: Unable to write to /proc/version"});
    EXPECT_EQ(applied, 0);
    EXPECT_FALSE(settings.controls().CheckBoxfondiEnable);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace listorix
