#include "PortfolioTestSupport.h"
#include "alerts/AlertNotifier.h"
#include "alerts/AlertTarget.h"
#include "alerts/PriceAlert.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace listorix {
namespace {

using test::PortfolioFixture;

TEST(AlertTarget, aRowOfAQuoteTableOrOfThePortfolioNamesItsSecurity)
{
    PortfolioFixture p;
    test::fillCategoryTable(p.shares, {{"ENI.MI", "ENI", "14,250", "14/05"}, {"", "", "", ""}});
    test::fillCategoryTable(p.bonds, {{"IT0001.MOT", "BTP", "101,5", "14/05"}});
    p.hold({{"eni.mi", "ENI", "TA", "100", "12,4"},
            {"IT0002.MOT", "BTP 2030", "TO", "1", "99,0"},
            {"", "PERSONALE", "PERS", "1", "5"},
            {"", "", "", ""}});
    const CategoryTables& tables = p.portfolio.categories();

    struct Case
    {
        const TAlignGrid& grid;
        int row;
        std::optional<AlertTarget> expected;
        std::string_view problem;
    };
    const Case cases[] = {
        {p.shares, 1, AlertTarget{ConnectionId::Azioni, "ENI.MI", "ENI", "14,250"}, ""},
        {p.bonds, 1, AlertTarget{ConnectionId::Obbligazioni, "IT0001.MOT", "BTP", "101,5"}, ""},
        {p.shares, 0, std::nullopt, kNoSecurityRowText},
        {p.shares, 2, std::nullopt, kNoSecurityRowText},
        // A portfolio row takes its table's row, found without regard to case...
        {p.table, 1, AlertTarget{ConnectionId::Azioni, "ENI.MI", "ENI", "14,250"}, ""},
        // ...or keeps its own price when its code is not in the table now.
        {p.table, 2, AlertTarget{ConnectionId::Obbligazioni, "IT0002.MOT", "BTP 2030", "99,0"}, ""},
        {p.table, 3, std::nullopt, kPersonalRowText},
        {p.table, 4, std::nullopt, kNoSecurityRowText},
        {p.table, 9, std::nullopt, kNoSecurityRowText},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string problem = "stale";
        EXPECT_EQ(alertTargetOfRow(tables, c.grid, c.row, problem), c.expected) << "case " << n;
        EXPECT_EQ(problem, c.problem) << "case " << n++;
    }

    PriceAlert alert;
    alert.category = ConnectionId::Azioni;
    alert.code = "eni.mi";
    alert.name = "ENI";
    EXPECT_EQ(alertTargetOf(tables, alert), (AlertTarget{ConnectionId::Azioni, "eni.mi", "ENI", "14,250"}));
    alert.category = ConnectionId::Fondi;
    EXPECT_EQ(alertTargetOf(tables, alert).price, "");
}

struct RecordingNotifier final : AlertNotifier
{
    void notify(const std::string& title, const std::string& text) override
    {
        shown.push_back(title + "|" + text);
        if (fails)
            throw std::runtime_error("no notification area");
    }
    std::vector<std::string> shown;
    bool fails = false;
};

TEST(AlertNotifier, firedAlertsGoToOneNotificationAndTheStatusLine)
{
    RecordingNotifier notifier;
    test::CaptionSink status;
    tellFiredAlerts({}, notifier, status);
    EXPECT_TRUE(notifier.shown.empty());
    EXPECT_EQ(status.text(), "");

    tellFiredAlerts({"ENI.MI: 14,250 >= 14,200", "FIAT.MI: 7,0 <= 7,1"}, notifier, status);
    EXPECT_EQ(notifier.shown,
              std::vector<std::string>{"Listorix|ENI.MI: 14,250 >= 14,200\rFIAT.MI: 7,0 <= 7,1"});
    EXPECT_EQ(status.text(), "ENI.MI: 14,250 >= 14,200; FIAT.MI: 7,0 <= 7,1");

    notifier.fails = true;
    tellFiredAlerts({"ENEL.MI: 6 >= 5,9"}, notifier, status);
    EXPECT_EQ(status.text(), "ENEL.MI: 6 >= 5,9");
}

} // namespace
} // namespace listorix
