#pragma once

#include <string>
#include <string_view>

namespace listorix {

// Lire per euro, as the 80-bit value nearest to 1936.27.
inline constexpr long double kLirePerEuro = 1936.27L;

// A euro amount in display form as lire: "L." and the amount × kLirePerEuro
// grouped by thousands without decimals: "1.000,00" gives L.1.936.270. Empty text
// when the amount does not convert.
std::string FormatLire(std::string_view euroText);

} // namespace listorix
