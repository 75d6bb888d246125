#pragma once

#include "base/Date.h"
#include "base/TimeOfDay.h"

#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// The display conventions of the whole program: every number, date and time text
// it shows, stores or reads back uses them, whatever the machine's locale says.
inline constexpr char kDecimalSeparator = ',';
inline constexpr char kThousandsSeparator = '.';
inline constexpr char kDateSeparator = '/';
inline constexpr char kTimeSeparator = ':';
inline constexpr std::string_view kShortDateFormat = "DD/MM/YYYY";

// Most decimals any number format gives.
inline constexpr int kMaxDecimals = 18;

// Display text to number. Blanks and control characters at both ends are ignored;
// then an optional sign, digits with at most one decimal comma (at least one
// digit), and an optional exponent (e or E, optional sign, digits). A decimal
// point, a thousands point, inner blanks, any other character and values beyond
// the type's largest are rejected; a value below its smallest (1e-400 for a
// double) reads as 0.
std::optional<double> parseNumber(std::string_view text);
std::optional<long double> parseExtended(std::string_view text);

// Number to display text. The value is rounded to `decimals` places with halves
// away from zero, judged on its decimal form to the type's precision (15
// significant digits for double, 18 for long double), which is the shortest form
// of any value a user typed: 2,675 gives 2,68 although the nearest double lies
// below it, and 14,499999999999998 (0,145 × 100) gives 15. Pass a double as a
// double: widening it to long double first exposes its binary expansion. A
// negative value has a leading "-" unless it rounds to zero. A value that is not
// finite, or a decimals count outside 0..kMaxDecimals, gives empty text.

// "%.<decimals>f": no grouping (1234,50).
std::string formatFixed(double value, int decimals);
std::string formatFixed(long double value, int decimals);

// The value rounded as formatFixed rounds it, as the double nearest to that
// decimal: the number its text stands for. Nothing where formatFixed gives empty text.
std::optional<double> roundToDecimals(long double value, int decimals);

// "%<width>.<decimals>n": thousands grouped with "." (1.234,50), padded with
// leading blanks to at least `width` characters (at most 1024).
std::string formatNumber(double value, int decimals, int width = 0);
std::string formatNumber(long double value, int decimals, int width = 0);

// General format: up to 15 significant digits, no trailing zeros, no grouping
// (1234,5); scientific with "E" when the value needs more than 15 integer digits
// or is below 0,0001 (1E20, 1,5E-7). parseNumber reads every such text back:
// where 15 digits would not (they round the largest doubles past the range), up
// to 17 are written (1,7976931348623157E308).
std::string formatGeneral(double value);

// The text without any ".": display number back to convertible text.
std::string StripDots(std::string_view text);

// Every "." turned into ":": the service may write a time as 17.35.
std::string DotsToColons(std::string_view text);

// "DD/MM/YYYY" (day and month of one or two digits, a four-digit year), with
// blanks at the ends ignored.
std::optional<Date> parseDate(std::string_view text);
// Short date DD/MM/YYYY; the null date gives empty text, so it never reads back
// as a real day.
std::string formatShortDate(Date date);

// "H:MM" or "H:MM:SS" with one- or two-digit fields, optionally followed by
// "AM"/"PM" (any case, a blank allowed before it), as the quote service writes
// times; blanks at the ends ignored. A time written with "." must go through
// DotsToColons first.
std::optional<TimeOfDay> parseTime(std::string_view text);
// Long time "H:MM:SS", hours without a leading zero (9:30:00).
std::string formatLongTime(TimeOfDay time);
// Short time "H:MM" (9:30), as the chart's time axis labels it.
std::string formatShortTime(TimeOfDay time);

} // namespace listorix
