#pragma once

#include <string>
#include <string_view>

namespace listorix {

// The two fixed texts every report page is framed with, made once at start-up
// from the product's web address. The head holds "#titolo#" twice (the page
// title and the heading), the foot none; both link to the address, shown
// without its "scheme://".
struct ReportTemplates
{
    std::string ReportHead;
    std::string ReportFoot;
};

ReportTemplates BuildReportTemplates(std::string_view homePageUrl);

} // namespace listorix
