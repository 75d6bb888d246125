#pragma once

#include "base/LoopClock.h"
#include "fetch/SettingsSymbolResolutions.h"
#include "websource/ChartHistory.h"
#include "websource/WallClock.h"
#include "websource/WebAnswerTranslator.h"
#include "websource/WebSourceGuards.h"

#include <memory>

namespace listorix {

// The web source's memory for the whole run, shared by everything that asks it:
// the clock its pacing reads, its guards (pacing, rate limits, rests), the search's
// results kept in the settings file, the translator of the quote requests (last
// good answers, names) and the chart pages' fetch, paced and rested with the quotes.
struct WebSourceMemory
{
    SteadyLoopClock clock;
    SystemWallClock wallClock;
    WebSourceGuards guards{clock};
    SettingsSymbolResolutions resolutions;
    WebAnswerTranslator translator{guards, resolutions, wallClock};
    ChartHistory charts{guards, resolutions, wallClock};
};

} // namespace listorix
