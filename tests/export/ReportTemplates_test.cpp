#include "ScratchDir.h"
#include "export/ReportTemplates.h"
#include "market/Catalogue.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace listorix {
namespace {

using test::ScratchDir;

TEST(ReportTemplates, carryTheTitleTwiceInTheHeadOnly)
{
    ScratchDir dir;
    Catalogue catalogue;
    BuildCatalogue(catalogue, {dir.dir()});
    const std::string home = catalogue.HomePageUrl;
    const ReportTemplates templates = BuildReportTemplates(home);
    const std::string linkText = home.substr(std::string_view("file://").size());
    EXPECT_EQ(
        templates.ReportHead,
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
        "<title>Report Listorix - #titolo#</title></head><body><table width=\"100%\" "
        "border=\"0\"><tr><td valign=\"bottom\"><font face=\"Verdana\" color=\"blue\"><b><i><big>#titolo#"
        "</big></b></i></font></td><td align=\"right\" valign=\"bottom\"><font face=\"Verdana\" "
        "size=\"1\"><a href=\"" +
            home + "\">" + linkText + "</a></font></td></tr></table>");
    EXPECT_EQ(templates.ReportFoot,
              "<font face=\"Verdana\" size=\"1\"><i><br>report generato da Listorix <a href=\"" + home +
                  "\">" + linkText + "</a></i></font><br></body></html>");
}

} // namespace
} // namespace listorix
