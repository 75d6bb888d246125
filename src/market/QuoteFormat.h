#pragma once

#include "base/Colour.h"

#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// Turns the quote service's numbers (decimal point, no grouping) into display
// text and back. Every routine returns empty text when its input does not
// convert; none of them throws.

// The service number `text` (blanks at the ends allowed; its first "." read as the
// decimal comma) grouped by thousands with `decimals` decimals: ("31245.67", "0")
// gives 31.246. `decimals` is a count written in digits, at most kMaxDecimals.
std::string FormatQuote(std::string_view text, std::string_view decimals);

// change × 100 ÷ reference with two decimals, computed in extended precision;
// "+" in front when above zero: ("12.5", "1000") gives +1,25.
std::string FormatChangePercent(std::string_view change, std::string_view reference);
// The number FormatChangePercent shows, rounded the same way (+1,25 is 1.25);
// nothing when it shows empty text.
std::optional<double> ChangePercentValue(std::string_view change, std::string_view reference);

// Trimmed, every "." turned into ",", and a trailing "+" or "-" moved to the
// front: "1.25-" gives -1,25.
std::string SignToFront(std::string_view text);

// Red for a text that begins with "-", blue otherwise (an empty text included).
TColor ColourBySign(std::string_view text);

// The decimal separator of the given POSIX locale, read through a private locale
// object (the process's own locale is left alone); "," when the locale cannot be
// loaded or its separator is not a single-byte character.
char LocaleDecimalSeparator(const std::string& localeName);
// The same for the user's locale as the environment names it.
char LocaleDecimalSeparator();

// The locale that governs numbers by POSIX precedence: the first set and non-empty
// one of LC_ALL, LC_NUMERIC and LANG; "C" when none is.
std::string numericLocaleName(const char* lcAll, const char* lcNumeric, const char* lang);

} // namespace listorix
