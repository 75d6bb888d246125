#pragma once

#include "base/LineList.h"

namespace listorix {

// Tidies the collected lines of a fetch before they are parsed: a line that begins
// with "<" is dropped (the markup of an error page the service sent instead of
// quotes), and in every other line the first "&amp;", in any letter case, is cut to
// "&". Empty lines stay.
void CleanAnswer(LineList& lines);

} // namespace listorix
