#include "base/NumberFormat.h"
#include "market/QuoteFormat.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <string_view>

namespace listorix {
namespace {

// Service numbers of random shape: the conversions never throw, and whatever
// display text they give reads back as the service's value within its rounding.
TEST(QuoteFormatFuzz, formattedServiceNumbersReadBackWithinRounding)
{
    constexpr unsigned kSeed = 31245;
    std::mt19937 random(kSeed);
    const std::array<std::string_view, 16> pieces = {"0", "1", "7", "9",  "25",  ".", ",",    "-",
                                                     "+", " ", "e", "E5", "N/A", "%", "\xff", "00"};
    auto randomText = [&](int most) {
        std::string text;
        for (int n = static_cast<int>(random() % static_cast<unsigned>(most + 1)); n > 0; --n)
            text += pieces[random() % pieces.size()];
        return text;
    };
    auto serviceValue = [](std::string text) {
        // The service's first "." is the decimal point.
        if (const auto point = text.find('.'); point != std::string::npos)
            text[point] = kDecimalSeparator;
        return parseNumber(text);
    };

    for (int i = 0; i < 5000; ++i) {
        SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", iteration " << i);
        const std::string text = randomText(6);
        const int decimals = static_cast<int>(random() % 8);
        const std::string decimalsText = random() % 8 ? std::to_string(decimals) : randomText(2);
        SCOPED_TRACE(text + " with " + decimalsText);

        const std::string quote = FormatQuote(text, decimalsText);
        const auto value = serviceValue(text);
        if (!quote.empty() && value && decimalsText == std::to_string(decimals)) {
            const auto back = parseNumber(StripDots(quote));
            ASSERT_TRUE(back.has_value()) << quote;
            EXPECT_LE(std::abs(*back - *value),
                      0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::abs(*value) * 1e-15)
                << quote;
        }

        const std::string reference = randomText(4);
        const std::string percent = FormatChangePercent(text, reference);
        const auto referenceValue = serviceValue(reference);
        if (!percent.empty() && value && referenceValue) {
            const double exact = *value * 100 / *referenceValue;
            if (std::isfinite(exact)) {
                const auto back = parseNumber(StripDots(percent));
                ASSERT_TRUE(back.has_value()) << percent;
                EXPECT_LE(std::abs(*back - exact), 0.005 * (1 + 1e-9) + std::abs(exact) * 1e-14) << percent;
            }
        }
    }
}

} // namespace
} // namespace listorix
