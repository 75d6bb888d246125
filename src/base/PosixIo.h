#pragma once

#include <string>
#include <string_view>

namespace listorix {

// Writes every byte to the descriptor, carrying on after interrupted and partial
// writes. False at the first failure, with errno set.
bool writeAll(int fd, std::string_view bytes);

// The system's explanation of an errno value ("No such file or directory").
std::string errnoText(int error);

} // namespace listorix
