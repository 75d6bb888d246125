// The program's own road from ticker lists to tables, against the quote service: the
// catalogue's request URLs, the HTTP client, the fetch's line clean-up, the index and
// security parsers, and the portfolio valued on what they wrote.
#include "QuotedTestSupport.h"
#include "ScratchDir.h"
#include "base/LineList.h"
#include "base/NumberFormat.h"
#include "base/TextSink.h"
#include "fetch/CleanAnswer.h"
#include "grid/TAlignGrid.h"
#include "http/THttpClient.h"
#include "market/Catalogue.h"
#include "market/IndexAnswer.h"
#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "market/QuoteTableSorting.h"
#include "market/QuoteTables.h"
#include "market/SecurityAnswer.h"
#include "portfolio/CategoryTables.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioTable.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

namespace listorix::quoted {
namespace {

using namespace std::chrono_literals;
using testing::RunningServer;

class RecordingSink final : public TextSink
{
public:
    void setText(const std::string& text) override { texts.push_back(text); }
    std::string last() const { return texts.empty() ? std::string() : texts.back(); }

    std::vector<std::string> texts;
};

// The catalogue the program builds at start-up from the sample ticker lists beside it;
// its requests go to the service, as the fetch sends them to the quote host.
struct ProgramDir
{
    explicit ProgramDir(std::uint16_t port) : origin("http://127.0.0.1:" + std::to_string(port))
    {
        for (const char* list : {"A_azioni.lst", "O_obbligazioni.lst", "D_derivati.lst", "F_fondi.lst"})
            std::filesystem::copy_file(std::filesystem::path(LISTORIX_QUOTED_DATA_DIR) / list,
                                       dir.path() / list);
        CatalogueOptions options;
        options.programDir = dir.dir();
        BuildCatalogue(catalogue, options);
    }

    const std::string origin;
    test::ScratchDir dir;
    Catalogue catalogue;
};

// What a fetch of the requests hands its sink: each entry's body in turn, split
// into lines and cleaned over the whole collection, as the dispatch does.
LineList fetchAnswer(const std::string& origin, const LineList& requests)
{
    LineList lines;
    for (const std::string& entry : requests) {
        THttpClient client;
        std::string body;
        client.setURL(origin + entry.substr(0, entry.find('\t')));
        client.setReceiveStream(&body);
        client.setConnectTimeout(5s);
        client.setIdleTimeout(10s);
        client.Get();
        EXPECT_EQ(client.statusCode(), 200) << client.URL();
        appendLines(body, lines);
        CleanAnswer(lines);
    }
    return lines;
}

std::vector<std::string> sorted(std::vector<std::string> texts)
{
    std::sort(texts.begin(), texts.end());
    return texts;
}

bool matches(const std::string& text, const char* pattern)
{
    return std::regex_match(text, std::regex(pattern));
}

const char* const kGroupedWhole = R"(\d{1,3}(\.\d{3})*)";    // 30.698
const char* const kPercent = R"([+-]?\d+,\d\d)";             // +0,85 -1,23 0,00
const char* const kDecimalComma = R"(\d+,\d+)";              // 11,688
const char* const kDayMonth = R"(\d\d/\d\d)";                // 25/01
const char* const kMoney = R"( *-?\d{1,3}(\.\d{3})*,\d{4})"; // "     1.240,0000"

TEST(ServiceToTables, theIndexAnswerFillsThePanelAndTheDaysChart)
{
    RunningServer running;
    const ProgramDir program(running.port());
    ASSERT_EQ(program.catalogue.requestsOf(ConnectionId::Indici).size(), 1u);

    IndexPanel panel;
    IntradayChart chart;
    IndexAnswerParser parser(panel, chart, {});

    const LineList lines = fetchAnswer(program.origin, program.catalogue.requestsOf(ConnectionId::Indici));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(parser.ParseIndexAnswer(lines, AnswerOrigin::Live), AnswerVerdict::Read);

    for (const MarketIndex index : IndexPanel::kIndices) {
        SCOPED_TRACE(IndexPanel::indexName(index));
        const std::string& change = panel.text(index, IndexField::Change);
        EXPECT_TRUE(matches(change, kPercent)) << change;
        EXPECT_EQ(panel.control(index, IndexField::Change).colour, change.front() == '-' ? clRed : clBlue);
        for (const IndexField field : {IndexField::Value, IndexField::Low, IndexField::High})
            EXPECT_TRUE(matches(panel.text(index, field), kGroupedWhole)) << panel.text(index, field);
        EXPECT_EQ(panel.text(index, IndexField::Time), "15:30");
    }
    // The service's MIBTEL stands at 30697.56 at the pinned minute.
    EXPECT_EQ(panel.text(MarketIndex::MIBTEL, IndexField::Value), "30.698");
    EXPECT_EQ(panel.dateHeader(), "Valori del 25/01/2005");

    EXPECT_EQ(chart.SeriesDate, Date::fromYmd(2005, 1, 25));
    const double halfPastThree = 15.5 / 24;
    const std::pair<const ChartSeries*, MarketIndex> lineOf[] = {{&chart.Series1, MarketIndex::MIBTEL},
                                                                 {&chart.Series2, MarketIndex::MIB30},
                                                                 {&chart.Series4, MarketIndex::MIDEX}};
    for (const auto& [series, index] : lineOf) {
        SCOPED_TRACE(series->title());
        ASSERT_EQ(series->points().size(), 1u);
        EXPECT_NEAR(series->points()[0].x, halfPastThree, 1e-9);
        EXPECT_EQ(series->points()[0].y, parseNumber(panel.text(index, IndexField::Change)));
    }
}

TEST(ServiceToTables, theFourCategoryAnswersFillTheirTablesAndThePortfolioIsValuedOnThem)
{
    RunningServer running;
    const ProgramDir program(running.port());

    TAlignGrid StringGridYahoo;
    TAlignGrid StringGridYahooOBB;
    TAlignGrid StringGridYahooDerivati;
    TAlignGrid StringGridFondi;
    QuoteTableSorting sorting(
        {&StringGridYahoo, &StringGridYahooOBB, &StringGridYahooDerivati, &StringGridFondi});

    const struct
    {
        const char* tickerList;
        TAlignGrid& grid;
        ConnectionId category;
    } categories[] = {
        {"A_azioni.lst", StringGridYahoo, ConnectionId::Azioni},
        {"O_obbligazioni.lst", StringGridYahooOBB, ConnectionId::Obbligazioni},
        {"D_derivati.lst", StringGridYahooDerivati, ConnectionId::Derivati},
        {"F_fondi.lst", StringGridFondi, ConnectionId::Fondi},
    };
    int redChanges = 0;
    int blackChanges = 0;
    for (const auto& c : categories) {
        SCOPED_TRACE(c.tickerList);
        const std::vector<std::string> symbols = testing::sampleTickers(c.tickerList);
        setUpQuoteTable(c.grid, c.category);
        SecurityAnswer securities(c.category, c.grid, sorting);

        // A longer answer of the last run stands in the table: none of it may stay.
        LineList previous;
        for (std::size_t k = 0; k < symbols.size() + 3; ++k)
            previous.push_back("\"OLD" + std::to_string(k) + ".MI\";\"OLD\";1.5;1/24/2005;17:35");
        securities.ParseSecurityAnswer(previous, AnswerOrigin::Replay);

        const LineList lines = fetchAnswer(program.origin, program.catalogue.requestsOf(c.category));
        ASSERT_EQ(lines.size(), symbols.size());
        securities.ParseSecurityAnswer(lines, AnswerOrigin::Live);

        const TAlignGrid& grid = c.grid;
        ASSERT_EQ(grid.rowCount(), static_cast<int>(symbols.size()) + 1);
        std::vector<std::string> codes;
        for (int row = 1; row < grid.rowCount(); ++row) {
            SCOPED_TRACE(grid.cell(0, row));
            codes.push_back(grid.cell(0, row));
            EXPECT_FALSE(grid.cell(1, row).empty());
            EXPECT_EQ(grid.cell(1, row).find('"'), std::string::npos);
            EXPECT_TRUE(matches(grid.cell(2, row), kDecimalComma)) << grid.cell(2, row);
            EXPECT_TRUE(matches(grid.cell(3, row), kDayMonth)) << grid.cell(3, row);
            if (c.category == ConnectionId::Fondi)
                continue;
            EXPECT_EQ(grid.cell(3, row), "25/01");
            EXPECT_EQ(grid.cell(4, row), "15:30");
            const std::string& change = grid.cell(9, row);
            EXPECT_TRUE(matches(change, kPercent)) << change;
            const bool loss = change.front() == '-';
            EXPECT_EQ(grid.effectiveFont(9, row).color, loss ? clRed : clBlack);
            ++(loss ? redChanges : blackChanges);
        }
        EXPECT_EQ(grid.colCount(), c.category == ConnectionId::Fondi ? 4 : 11);
        EXPECT_EQ(sorted(codes), sorted(symbols));
    }
    EXPECT_GT(redChanges, 0);
    EXPECT_GT(blackChanges, 0);

    // Holdings of a share, a bond and a fund, valued on the prices just parsed.
    TAlignGrid StringGridPortafoglio;
    setUpPortfolioTable(StringGridPortafoglio);
    RecordingSink LabelPortafoglioTot;
    RecordingSink LabelPortafoglioTotGuadagno;
    const CategoryTables tables{
        {&StringGridYahoo, &StringGridYahooOBB, &StringGridYahooDerivati, &StringGridFondi}};
    Portfolio portfolio(StringGridPortafoglio, tables, LabelPortafoglioTot, LabelPortafoglioTotGuadagno);
    const struct
    {
        std::string code;
        const char* type;
        const char* quantity;
        const char* purchase;
        const TAlignGrid& table;
    } holdings[] = {
        {"ENI.MI", "TA", "100", "10", StringGridYahoo},
        {testing::sampleTickers("O_obbligazioni.lst").front(), "TO", "1000", "99,5", StringGridYahooOBB},
        {testing::sampleTickers("F_fondi.lst").back(), "F", "12,5", "5", StringGridFondi},
    };
    StringGridPortafoglio.setRowCount(static_cast<int>(std::size(holdings)) + 1);
    for (int row = 1; const auto& h : holdings) {
        StringGridPortafoglio.setCell(PortfolioColumn::Codice, row, h.code);
        StringGridPortafoglio.setCell(PortfolioColumn::Tipo, row, h.type);
        StringGridPortafoglio.setCell(PortfolioColumn::Quote, row, h.quantity);
        StringGridPortafoglio.setCell(PortfolioColumn::Acquisto, row, h.purchase);
        ++row;
    }

    portfolio.RevaluePortfolio();

    double totalValue = 0;
    for (int row = 1; const auto& h : holdings) {
        SCOPED_TRACE(h.code);
        int listed = 0;
        for (int r = 1; r < h.table.rowCount() && listed == 0; ++r)
            listed = h.table.cell(0, r) == h.code ? r : 0;
        ASSERT_NE(listed, 0);
        EXPECT_EQ(StringGridPortafoglio.cell(PortfolioColumn::Quotazione, row), h.table.cell(2, listed));
        EXPECT_EQ(StringGridPortafoglio.cell(PortfolioColumn::Data, row),
                  h.table.cell(3, listed).substr(0, 5));
        for (const int col :
             {PortfolioColumn::Totale, PortfolioColumn::Guadagno, PortfolioColumn::Acquisto}) {
            EXPECT_TRUE(matches(StringGridPortafoglio.cell(col, row), kMoney))
                << StringGridPortafoglio.cell(col, row);
            EXPECT_EQ(StringGridPortafoglio.hintCell(col, row).substr(0, 2), "L.");
        }
        EXPECT_TRUE(matches(StringGridPortafoglio.cell(PortfolioColumn::Var, row), kPercent));
        totalValue +=
            parseNumber(StripDots(StringGridPortafoglio.cell(PortfolioColumn::Totale, row))).value_or(0);
        ++row;
    }
    const std::string total = LabelPortafoglioTot.last();
    ASSERT_EQ(total.rfind(kTotalCaptionPrefix, 0), 0u) << total;
    const std::string totalEuro =
        total.substr(kTotalCaptionPrefix.size(), total.find(" = L.") - kTotalCaptionPrefix.size());
    EXPECT_GT(totalValue, 0);
    EXPECT_NEAR(parseNumber(StripDots(totalEuro)).value_or(0), totalValue, 0.001) << total;
    EXPECT_NE(total.find(" = L."), std::string::npos) << total;
    EXPECT_EQ(LabelPortafoglioTotGuadagno.last().rfind(kGainCaptionPrefix, 0), 0u);
}

} // namespace
} // namespace listorix::quoted
