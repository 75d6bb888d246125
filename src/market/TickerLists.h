#pragma once

#include "base/LineList.h"

#include <string>

namespace listorix {

// Appends every line of every regular file in `programDir` named `letter`, "_",
// anything, ".lst" (letter and extension in any case), files in directory order.
// Entries that cannot be read are skipped. Always true.
bool LoadTickerLists(const std::string& programDir, char letter, LineList& target);

// Whether `dir` holds a ticker list file of `letter` (named as LoadTickerLists reads).
bool holdsTickerList(const std::string& dir, char letter);

} // namespace listorix
