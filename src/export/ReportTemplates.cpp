#include "export/ReportTemplates.h"

namespace listorix {

namespace {

// The address as a link text: without "scheme://".
std::string_view withoutScheme(std::string_view url)
{
    const auto pos = url.find("://");
    return pos == std::string_view::npos ? url : url.substr(pos + 3);
}

std::string reportHead(std::string_view homePage)
{
    // The report is 8-bit Windows-1252 text: declared, so that a browser does not
    // guess and shows "à" and "€" right.
    std::string head = "<html><head>"
                       "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                       "<title>Report Listorix - #titolo#</title></head><body>"
                       "<table width=\"100%\" border=\"0\"><tr><td valign=\"bottom\">"
                       "<font face=\"Verdana\" color=\"blue\"><b><i><big>#titolo#</big></b></i></font></td>"
                       "<td align=\"right\" valign=\"bottom\"><font face=\"Verdana\" size=\"1\"><a href=\"";
    head += homePage;
    head += "\">";
    head += withoutScheme(homePage);
    head += "</a></font></td></tr></table>";
    return head;
}

std::string reportFoot(std::string_view homePage)
{
    std::string foot = "<font face=\"Verdana\" size=\"1\"><i><br>report generato da Listorix <a href=\"";
    foot += homePage;
    foot += "\">";
    foot += withoutScheme(homePage);
    foot += "</a></i></font><br></body></html>";
    return foot;
}

} // namespace

ReportTemplates BuildReportTemplates(std::string_view homePageUrl)
{
    return {reportHead(homePageUrl), reportFoot(homePageUrl)};
}

} // namespace listorix
