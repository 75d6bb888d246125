#pragma once

#include "base/LineList.h"

#include <string>
#include <string_view>

namespace listorix {

// Cuts the text before the first ";" off `rest` (the ";" goes too) and returns
// it; without a ";" returns all of `rest` and leaves it empty.
std::string NextField(std::string& rest);
// The same over a view of the text, for a reader that copies nothing.
std::string_view NextField(std::string_view& rest);

// Replaces the contents of `list` by the pieces of `text` between separators; a
// trailing separator gives no empty last piece, an empty text no piece at all.
void SplitToList(char separator, std::string_view text, LineList& list);

} // namespace listorix
