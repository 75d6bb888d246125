#pragma once

#include <string>

namespace listorix {

// A folder as the program joins file names to it: with its trailing "/". An
// empty text (the working folder) stays empty.
inline std::string withTrailingSeparator(std::string dir)
{
    if (!dir.empty() && dir.back() != '/')
        dir += '/';
    return dir;
}

} // namespace listorix
