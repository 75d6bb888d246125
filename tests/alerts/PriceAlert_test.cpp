#include "alerts/PriceAlert.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace listorix {
namespace {

// One download of the security: its price and change cells, and what fires.
struct Download
{
    const char* price;
    const char* change;
    std::vector<std::string> fired;
};

struct CrossingCase
{
    const char* name;
    std::optional<double> above;
    std::optional<double> below;
    std::optional<double> change;
    std::vector<Download> downloads;
};

TEST(PriceAlert, firesOncePerCrossingAndArmsAgainOnlyAfterTheConditionFailed)
{
    const CrossingCase cases[] = {
        {"price crossing up, staying up, falling back, touching the level",
         14.2,
         {},
         {},
         {{"14,100", "", {}},
          {"14,250", "", {"ENI.MI: 14,250 >= 14,200"}},
          {"14,300", "", {}},
          {"14,100", "", {}},
          {"14,200", "", {"ENI.MI: 14,200 >= 14,200"}}}},
        {"price crossing down and back up",
         {},
         13.5,
         {},
         {{"13,6", "", {}},
          {"13,4", "", {"ENI.MI: 13,4 <= 13,5"}},
          {"13,3", "", {}},
          {"13,7", "", {}},
          {"13", "", {"ENI.MI: 13 <= 13,5"}}}},
        {"change beyond the band either way, the service's % still standing",
         {},
         {},
         3,
         {{"14", "+1,20", {}},
          {"14", "-3,25", {"ENI.MI: var.% -3,25 <= -3,00"}},
          {"14", "+3,10", {}},
          {"14", "+2,00", {}},
          {"14", "+3,5%", {"ENI.MI: var.% +3,5 >= +3,0"}}}},
        {"true at the first check: fires at once",
         10,
         {},
         {},
         {{"12,5", "", {"ENI.MI: 12,5 >= 10,0"}}, {"12,6", "", {}}}},
        {"an empty or unreadable price checks nothing and keeps the state",
         14,
         {},
         2,
         {{"14,5", "+2,5", {"ENI.MI: 14,5 >= 14,0", "ENI.MI: var.% +2,5 >= +2,0"}},
          {"", "+0,1", {}},
          {"N/A", "", {}},
          {"14,5", "+2,5", {}}}},
        {"a level finer than the price keeps its decimals",
         14.2125,
         {},
         {},
         {{"14,3", "", {"ENI.MI: 14,3 >= 14,2125"}}}},
        {"both levels: each condition on its own",
         15,
         13,
         {},
         {{"14", "", {}},
          {"15,5", "", {"ENI.MI: 15,5 >= 15,0"}},
          {"12,9", "", {"ENI.MI: 12,9 <= 13,0"}},
          {"15,1", "", {"ENI.MI: 15,1 >= 15,0"}}}},
    };
    for (const CrossingCase& c : cases) {
        PriceAlert alert;
        alert.code = "ENI.MI";
        alert.rule(AlertCondition::AtOrAbove).level = c.above;
        alert.rule(AlertCondition::AtOrBelow).level = c.below;
        alert.rule(AlertCondition::ChangeBeyond).level = c.change;
        int step = 0;
        for (const Download& d : c.downloads) {
            EXPECT_EQ(checkAlert(alert, d.price, d.change), d.fired) << c.name << ", download " << ++step;
        }
    }
}

TEST(PriceAlert, stateTellsWhichConditionsFired)
{
    PriceAlert alert;
    alert.code = "ENI.MI";
    alert.rule(AlertCondition::AtOrAbove).level = 14;
    alert.rule(AlertCondition::AtOrBelow).level = 12;
    EXPECT_FALSE(alert.anyFired());
    checkAlert(alert, "14,1", "");
    EXPECT_EQ(alert.rule(AlertCondition::AtOrAbove).state, AlertState::Fired);
    EXPECT_EQ(alert.rule(AlertCondition::AtOrBelow).state, AlertState::Armed);
    EXPECT_TRUE(alert.anyFired());
    EXPECT_EQ(conditionText(AlertCondition::AtOrAbove, 14.25), ">= 14,25");
    EXPECT_EQ(conditionText(AlertCondition::ChangeBeyond, 3), "var.% \xB1"
                                                              "3");
}

} // namespace
} // namespace listorix
