#pragma once

#include <string>

namespace listorix {

class IndexPanel;

// The notification icon's hint: the changes of MIBTEL, MIB30 and MIDEX as the
// panel shows them, "MIBTEL:+0,52 MIB30:-1,10 MIDEX:+0,05". An empty change leaves
// its name and colon alone.
std::string trayHintText(const IndexPanel& panel);

} // namespace listorix
