#include "AnsweringPrompts.h"
#include "RecordingBrowser.h"
#include "ScratchDir.h"
#include "browser/gui/WebTab.h"
#include "export/ReportTemplates.h"
#include "export/TableCommands.h"
#include "grid/TAlignGrid.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace listorix {
namespace {

// What the main window does on "Esporta in HTML per stampare": the command's
// address, if any, goes to the web tab.
TEST(ReportInWebTab, reportIsWrittenBesideTheProgramAndOpenedInTheWebTab)
{
    test::ScratchDir programDir;
    const ReportTemplates templates = BuildReportTemplates("file:///opt/listorix/web/index.html");
    test::RecordingBrowser* browser = nullptr;
    WebTab tab([&](QWidget* parent) { return browser = new test::RecordingBrowser(parent); });
    TAlignGrid grid(11, 2);
    test::AnsweringPrompts prompts;

    if (const auto report =
            reportCommand({&grid, "Derivati", std::nullopt}, templates, programDir.dir(), prompts))
        tab.NavigateTo(WebTab::fileAddress(*report));

    EXPECT_TRUE(std::filesystem::is_regular_file(programDir.file("report.html")));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->calls,
              QStringList{QString::fromStdString("navigate file://" + programDir.dir() + "report.html")});
}

TEST(ReportInWebTab, pageWithoutTableOpensNothing)
{
    test::ScratchDir programDir;
    const ReportTemplates templates = BuildReportTemplates("file:///opt/listorix/web/index.html");
    int made = 0;
    WebTab tab([&](QWidget* parent) {
        ++made;
        return new test::RecordingBrowser(parent);
    });
    test::AnsweringPrompts prompts;
    if (const auto report =
            reportCommand({nullptr, "Web", std::nullopt}, templates, programDir.dir(), prompts))
        tab.NavigateTo(WebTab::fileAddress(*report));
    EXPECT_EQ(made, 0);
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"warning: Seleziona un altro pannello!"});
    EXPECT_FALSE(std::filesystem::exists(programDir.file("report.html")));
}

} // namespace
} // namespace listorix
