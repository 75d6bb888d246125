// The number, date and time texts: whatever text is read, and whatever double is
// written, what the program writes reads back, and the readers and formatters
// never fail in any other way than with "no number" or an empty text.

#include "FuzzCheck.h"
#include "base/Money.h"
#include "base/NumberFormat.h"
#include "market/QuoteFormat.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

using namespace listorix;

void generalFormatReadsBack(double value)
{
    const std::string text = formatGeneral(value);
    if (!std::isfinite(value)) {
        FUZZ_CHECK(text.empty());
        return;
    }
    const std::optional<double> back = parseNumber(text);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK((*back == 0) == (value == 0));
    FUZZ_CHECK(std::abs(*back - value) <= std::abs(value) * 1e-14 ||
               std::abs(value) < 1e-300); // subnormals hold fewer digits
    FUZZ_CHECK(formatGeneral(*back) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    if (const std::optional<double> value = parseNumber(text)) {
        FUZZ_CHECK(std::isfinite(*value));
        generalFormatReadsBack(*value);
        for (int decimals : {0, 2, 7})
            FUZZ_CHECK(formatFixed(*value, decimals).empty() == false);
        formatNumber(*value, 2, 12);
    }
    if (const std::optional<long double> value = parseExtended(text))
        FUZZ_CHECK(std::isfinite(*value));
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        generalFormatReadsBack(raw);
        formatNumber(raw, static_cast<int>(data[size - 1] % 20), 0);
    }
    if (const auto date = parseDate(text))
        FUZZ_CHECK(parseDate(formatShortDate(*date)) == date);
    if (const auto time = parseTime(text))
        FUZZ_CHECK(parseTime(formatLongTime(*time)) == time);

    // The quote formats over the same text, and over its two halves.
    const std::string_view whole = text;
    const std::string_view first = whole.substr(0, whole.size() / 2);
    const std::string_view second = whole.substr(whole.size() / 2);
    FormatQuote(whole, "0");
    FormatQuote(first, second);
    FormatChangePercent(first, second);
    FormatLire(whole);
    SignToFront(whole);
    return 0;
}
