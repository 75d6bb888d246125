#include "alerts/AlertEntry.h"

#include <gtest/gtest.h>
#include <optional>

namespace listorix {
namespace {

PriceAlert alertOn(ConnectionId category, std::string code, std::optional<double> above,
                   std::optional<double> below, std::optional<double> change, std::string name = {})
{
    PriceAlert alert;
    alert.category = category;
    alert.code = std::move(code);
    alert.name = std::move(name);
    alert.rule(AlertCondition::AtOrAbove).level = above;
    alert.rule(AlertCondition::AtOrBelow).level = below;
    alert.rule(AlertCondition::ChangeBeyond).level = change;
    return alert;
}

TEST(AlertEntry, writesLevelsInTheFilesNumberFormAndReadsThemBackWithTheirStates)
{
    PriceAlert alert = alertOn(ConnectionId::Azioni, "ENI.MI", 14.2, {}, 3.5, "ENI; Ente Nazionale");
    alert.rule(AlertCondition::ChangeBeyond).state = AlertState::Fired;
    EXPECT_EQ(encodeAlertEntry(alert), "TA;ENI.MI;14,2;;3,5;A-S;ENI; Ente Nazionale");
    EXPECT_EQ(decodeAlertEntry(encodeAlertEntry(alert)), alert);

    const PriceAlert bond = alertOn(ConnectionId::Obbligazioni, "IT0001.MOT", 1234.5678, 99, {});
    EXPECT_EQ(encodeAlertEntry(bond), "TO;IT0001.MOT;1234,5678;99;;AA-;");
    EXPECT_EQ(decodeAlertEntry(encodeAlertEntry(bond)), bond);
}

TEST(AlertEntry, readsOnlyWhatCouldHaveBeenStored)
{
    struct Case
    {
        const char* value;
        std::optional<PriceAlert> expected;
    };
    const Case cases[] = {
        // Written by hand without states: armed.
        {" F ; LU0001.MI ; ;12 ", alertOn(ConnectionId::Fondi, "LU0001.MI", {}, 12, {})},
        {"TD;FIB.MI;;;2", alertOn(ConnectionId::Derivati, "FIB.MI", {}, {}, 2)},
        {"PERS;X;1;;", std::nullopt},         // personal rows have no table
        {"ta;ENI.MI;14;;", std::nullopt},     // type codes are exact
        {"TA;;14;;", std::nullopt},           // no code
        {"TA;ENI.MI;14.2;;", std::nullopt},   // the file writes a decimal comma
        {"TA;ENI.MI;abc;;", std::nullopt},    // not a number
        {"TA;ENI.MI;;;", std::nullopt},       // nothing watched
        {"TA;ENI.MI;13;15;", std::nullopt},   // every price holds one of the two
        {"TA;ENI.MI;-1;;", std::nullopt},     // a price level of zero or less
        {"F;LU0001.MI;;;2", std::nullopt},    // funds have no change
        {"TA;ENI.MI;14;;;AA", std::nullopt},  // three states or none
        {"TA;ENI.MI;14;;;X--", std::nullopt}, // states are A or S
        {"TA;ENI.MI;14;;;AS-", std::nullopt}, // a state for a condition not watched
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeAlertEntry(c.value), c.expected) << c.value;
}

} // namespace
} // namespace listorix
