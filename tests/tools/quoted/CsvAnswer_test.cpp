#include "QuotedTestSupport.h"
#include "quoted/CsvAnswer.h"
#include "quoted/QuoteFields.h"

#include <gtest/gtest.h>

namespace listorix::quoted {
namespace {

using testing::at;
using testing::sampleMarket;

std::vector<Field> fields(std::string_view codes)
{
    std::string unknown;
    auto parsed = parseFieldCodes(codes, unknown);
    if (!parsed)
        throw std::invalid_argument("bad test field list");
    return *parsed;
}

// The program's two field lists, answered on a pinned clock with seed 1: a change in
// these bytes is a change of what every client sees.
TEST(CsvAnswer, indexAnswerIsPinnedByteForByte)
{
    const std::string answer =
        buildCsvAnswer(sampleMarket(), at("2005-01-25T15:30"), {"^MIBTEL", "^MIB30", "^MIDEX", "^SPMIB"},
                       fields("sl1d1t1c1hgp"));
    EXPECT_EQ(answer, "\"^MIBTEL\";30697.56;1/25/2005;15:30;-171.68;30877.28;30682.94;30869.24\r\n"
                      "\"^MIB30\";41614.89;1/25/2005;15:30;+219.07;41686.27;41493.65;41395.82\r\n"
                      "\"^MIDEX\";31316.94;1/25/2005;15:30;-42.44;31465.69;31262.00;31359.38\r\n"
                      "\"^SPMIB\";40393.73;1/25/2005;15:30;-60.24;40668.36;40354.38;40453.97\r\n");
}

TEST(CsvAnswer, securityAnswerIsPinnedByteForByte)
{
    const std::string answer = buildCsvAnswer(
        sampleMarket(), at("2005-01-25T15:30"),
        {"ENI.MI", "TIT.MI", "RACE.MI", "IT0005026163.MI", "DE000H172432.MI", "IT0004389109.MI", "FOO.MI"},
        fields("snl1d1t1oghpc2v"));
    EXPECT_EQ(
        answer,
        "\"ENI.MI\";\"ENI\";11.688;1/25/2005;15:30;11.653;11.637;11.772;11.701;-0.013 - -0.11%;7169128\r\n"
        "\"TIT.MI\";\"TELECOM ITALIA\";0.2767;1/25/2005;15:30;0.2739;0.2737;0.2783;0.2752;+0.0015 - "
        "+0.55%;36584457\r\n"
        "\"RACE.MI\";\"FERRARI\";326.45;1/25/2005;15:30;320.11;318.91;328.04;319.57;+6.88 - +2.15%;297284\r\n"
        "\"IT0005026163.MI\";\"BTP 01/02/2026 0,50%\";99.62;1/25/2005;15:30;99.73;99.59;99.74;99.68;-0.06 - "
        "-0.06%;1170000\r\n"
        "\"DE000H172432.MI\";\"UC CW CALL LDO 45 SET26\";0.3008;1/25/2005;15:30;0.2947;0.2940;0.3037;0.2983;"
        "+0.0025 - +0.84%;336569\r\n"
        "\"IT0004389109.MI\";\"EURIZON AZIONI ITALIA\";7.982;1/24/2005;N/A;N/A;N/A;N/A;N/A;N/A;N/A\r\n"
        "\"FOO.MI\";\"FOO.MI\";N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A;N/A\r\n");
}

TEST(CsvAnswer, fieldsFollowTheRequestedOrderAndTheChangesMatchThePrices)
{
    const LocalDateTime now = at("2025-06-16T10:45");
    const auto lines = testing::splitLines(
        buildCsvAnswer(sampleMarket(), now, testing::sampleTickers("A_azioni.lst"), fields("sl1pc1c2vt1d1")));
    ASSERT_EQ(lines.size(), testing::sampleTickers("A_azioni.lst").size());
    for (const std::string& line : lines) {
        const auto f = testing::splitFields(line);
        ASSERT_EQ(f.size(), 8u) << line;
        const double last = std::stod(f[1]);
        const double previous = std::stod(f[2]);
        const double change = std::stod(f[3]);
        EXPECT_NEAR(last - previous, change, 1e-9) << line;
        // c2: the same change, " - ", then the percentage with "%".
        const std::size_t dash = f[4].find(" - ");
        ASSERT_NE(dash, std::string::npos) << line;
        EXPECT_EQ(f[4].substr(0, dash), f[3]);
        EXPECT_EQ(f[4].back(), '%');
        EXPECT_NEAR(std::stod(f[4].substr(dash + 3)), change / previous * 100, 0.005 + 1e-9) << line;
        EXPECT_TRUE(f[3][0] == '+' || f[3][0] == '-') << line;
        EXPECT_EQ(f[6], "10:45");
        EXPECT_EQ(f[7], "6/16/2025");
    }
}

TEST(CsvAnswer, unknownAndOddSymbolsAnswerNotAvailableOnTheirOwnLine)
{
    const std::string answer = buildCsvAnswer(sampleMarket(), at("2005-01-25T15:30"),
                                              {"", "NO;PE\"\r\n", "eni.mi"}, fields("snl1c2"));
    const auto lines = testing::splitLines(answer);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "\"\";\"\";N/A;N/A");
    EXPECT_EQ(lines[1], "\"NO_PE___\";\"NO_PE___\";N/A;N/A");
    // A known symbol in other letters is echoed as sent.
    EXPECT_EQ(lines[2].substr(0, 17), "\"eni.mi\";\"ENI\";11");
}

TEST(CsvAnswer, twoHundredSymbolsGiveTwoHundredLinesInRequestOrder)
{
    std::vector<std::string> symbols;
    const auto shares = testing::sampleTickers("A_azioni.lst");
    for (std::size_t i = 0; symbols.size() < 200; ++i)
        symbols.push_back(i % 7 == 3 ? "UNKNOWN" + std::to_string(i) : shares[i % shares.size()]);
    const auto lines = testing::splitLines(
        buildCsvAnswer(sampleMarket(), at("2005-01-25T15:30"), symbols, fields("snl1d1t1oghpc2v")));
    ASSERT_EQ(lines.size(), 200u);
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const auto f = testing::splitFields(lines[i]);
        ASSERT_EQ(f.size(), 11u);
        EXPECT_EQ(f[0], '"' + symbols[i] + '"');
    }
}

TEST(QuoteFields, parsesLettersWithTheirDigitAndRefusesUnknownCodes)
{
    std::string unknown;
    const auto parsed = parseFieldCodes("snl1d1t1oghpc2v", unknown);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, (std::vector<Field>{Field::Symbol, Field::Name, Field::LastPrice, Field::LastDate,
                                           Field::LastTime, Field::Open, Field::Low, Field::High,
                                           Field::PreviousClose, Field::ChangeAndPercent, Field::Volume}));
    EXPECT_EQ(parseFieldCodes("", unknown)->size(), 0u);
    for (const auto& [codes, bad] :
         {std::pair{"snx", "x"}, {"sl2", "l2"}, {"l", "l"}, {"s1", "s1"}, {"c", "c"}}) {
        EXPECT_FALSE(parseFieldCodes(codes, unknown)) << codes;
        EXPECT_EQ(unknown, bad) << codes;
    }
}

} // namespace
} // namespace listorix::quoted
