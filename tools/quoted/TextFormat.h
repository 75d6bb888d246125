#pragma once

#include "quoted/CivilTime.h"

#include <cstdint>
#include <string>
#include <string_view>

// Number, date and text forms the service writes; none depends on the machine's locale.
namespace listorix::quoted::text {

// 12.345 with a decimal point and the given decimals.
std::string fixed(double value, int decimals);
// +0.10 / -1.25: always signed; a value that rounds to zero is "+0.00".
std::string signedFixed(double value, int decimals);
// Month/day/year without leading zeros: 1/25/2005.
std::string usDate(const CivilDate& date);
// 09:05, 17:30.
std::string clockTime(int minuteOfDay, char separator = ':');

// Italian display forms: 30.100,50 and 25/01/2005.
std::string italianNumber(double value, int decimals);
std::string italianDate(const CivilDate& date);

std::string htmlEscape(std::string_view text);

} // namespace listorix::quoted::text
