// listorix-chart: one chart page from the web source.
#include "chart/ChartTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace listorix::chart;
    std::string error;
    const auto options = parseChartArguments(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "listorix-chart: " << error << "\n\n" << chartUsageText();
        return 2;
    }
    if (options->help) {
        std::cout << chartUsageText();
        return 0;
    }
    try {
        return runChartTool(*options, std::cout, std::cerr);
    } catch (const std::exception& failure) {
        std::cerr << "listorix-chart: " << failure.what() << '\n';
        return 2;
    }
}
