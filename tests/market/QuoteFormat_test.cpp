#include "market/QuoteFormat.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace listorix {
namespace {

struct TextCase
{
    const char* first;
    const char* second;
    const char* expected;
};

TEST(QuoteFormat, formatQuoteGroupsTheServiceValue)
{
    const TextCase cases[] = {
        {" 31245.67 ", "0", "31.246"},
        {"31245.67", "2", "31.245,67"},
        {"31245,67", "0", "31.246"},
        {"-0.5", "0", "-1"},
        {"2.675", "2", "2,68"},
        {"1234567", "0", "1.234.567"},
        {"N/A", "0", ""},
        {"1.234.5", "0", ""},
        {"", "0", ""},
        {"12.5", "x", ""},
        {"12.5", "", ""},
        {"12.5", "-1", ""},
        {"12.5", "19", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << '"' << c.first << "\" D=" << c.second);
        EXPECT_EQ(FormatQuote(c.first, c.second), c.expected);
    }
}

TEST(QuoteFormat, formatChangePercentSignsRisesOnly)
{
    const TextCase cases[] = {
        {"12.5", "1000", "+1,25"},  {"0", "1000", "0,00"},
        {"-4", "1000", "-0,40"},    {"150.5", "30100", "+0,50"},
        {"-301", "30100", "-1,00"}, {"1", "3", "+33,33"},
        {"2", "3", "+66,67"},       {" +0.10 ", "20", "+0,50"},
        {"-0.001", "1000", "0,00"}, {"5", "0", ""},
        {"5", "0.000", ""},         {"N/A", "1000", ""},
        {"5", "N/A", ""},           {"1.2.3", "1000", ""},
        {"1e4000", "1e-4000", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " on " << c.second);
        EXPECT_EQ(FormatChangePercent(c.first, c.second), c.expected);
    }
}

TEST(QuoteFormat, signToFrontMovesATrailingSign)
{
    const TextCase cases[] = {
        {"1,25-", nullptr, "-1,25"}, {" 1.25+ ", nullptr, "+1,25"}, {"-1.25", nullptr, "-1,25"},
        {" 3,5 ", nullptr, "3,5"},   {"-", nullptr, "-"},           {"", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(SignToFront(c.first), c.expected);
    }
}

TEST(QuoteFormat, colourBySignIsRedForMinusOnly)
{
    EXPECT_EQ(ColourBySign("-1,00"), clRed);
    EXPECT_EQ(ColourBySign("+0,50"), clBlue);
    EXPECT_EQ(ColourBySign("0,00"), clBlue);
    EXPECT_EQ(ColourBySign(""), clBlue);
    EXPECT_EQ(ColourBySign(" -1"), clBlue);
}

TEST(QuoteFormat, numericLocaleNameFollowsPosixPrecedence)
{
    const struct
    {
        const char* lcAll;
        const char* lcNumeric;
        const char* lang;
        const char* expected;
    } cases[] = {
        {"it_IT.UTF-8", "en_US.UTF-8", "de_DE.UTF-8", "it_IT.UTF-8"},
        {"", "en_US.UTF-8", "de_DE.UTF-8", "en_US.UTF-8"},
        {nullptr, nullptr, "de_DE.UTF-8", "de_DE.UTF-8"},
        {nullptr, "", "", "C"},
        {nullptr, nullptr, nullptr, "C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(numericLocaleName(c.lcAll, c.lcNumeric, c.lang), c.expected);
    }
}

TEST(QuoteFormat, localeDecimalSeparatorFallsBackToComma)
{
    EXPECT_EQ(LocaleDecimalSeparator("C"), '.');
    EXPECT_EQ(LocaleDecimalSeparator("POSIX"), '.');
    EXPECT_EQ(LocaleDecimalSeparator("xx_NO.SUCH-LOCALE"), ',');
    EXPECT_EQ(LocaleDecimalSeparator(""), ',');
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv final
{
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// glibc keeps the LOCPATH it parses for good, which the leak checker reports;
// the program itself never sets LOCPATH.
class IgnoreLibraryLeaks final
{
public:
#if defined(__SANITIZE_ADDRESS__)
    IgnoreLibraryLeaks()
    {
        __lsan_disable();
    }
    ~IgnoreLibraryLeaks()
    {
        __lsan_enable();
    }
#else
    IgnoreLibraryLeaks() = default;
#endif
    IgnoreLibraryLeaks(const IgnoreLibraryLeaks&) = delete;
    IgnoreLibraryLeaks& operator=(const IgnoreLibraryLeaks&) = delete;
};

// The machine need not have a locale with a decimal comma: one is compiled for
// the test from a minimal definition, when localedef is available.
TEST(QuoteFormat, localeDecimalSeparatorReadsTheLocaleWithoutTouchingTheProcess)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(LISTORIX_BINARY_DIR) / "test-locales";
    const fs::path compiled = dir / "xx_XX.UTF-8";
    fs::create_directories(dir);
    if (!fs::exists(compiled / "LC_NUMERIC")) {
        const fs::path source = dir / "comma_numeric";
        std::ofstream(source) << "LC_NUMERIC\ndecimal_point \"<U002C>\"\nthousands_sep \"<U002E>\"\n"
                                 "grouping 3\nEND LC_NUMERIC\n";
        const std::string command =
            "localedef -c -i '" + source.string() + "' -f UTF-8 '" + compiled.string() + "' >/dev/null 2>&1";
        [[maybe_unused]] const int status = std::system(command.c_str());
    }
    if (!fs::exists(compiled / "LC_NUMERIC"))
        GTEST_SKIP() << "localedef could not compile a test locale";

    [[maybe_unused]] const IgnoreLibraryLeaks ignoreLeaks;
    const ScopedEnv locpath("LOCPATH", dir.string());
    EXPECT_EQ(LocaleDecimalSeparator("xx_XX.UTF-8"), ',');
    {
        const ScopedEnv lcAll("LC_ALL", "xx_XX.UTF-8");
        EXPECT_EQ(LocaleDecimalSeparator(), ',');
    }
    // The process itself still formats with its own locale.
    EXPECT_EQ(std::to_string(1.5), "1.500000");
}

} // namespace
} // namespace listorix
