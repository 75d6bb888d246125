#include "alerts/AlertInput.h"
#include "alerts/AlertTarget.h"

#include <gtest/gtest.h>
#include <optional>

namespace listorix {
namespace {

struct InputCase
{
    AlertFields fields;
    std::optional<double> above;
    std::optional<double> below;
    std::optional<double> change;
    std::string problem; // empty: accepted with the levels above
    ConnectionId category = ConnectionId::Azioni;
};

TEST(AlertInput, acceptsLevelsAsPeopleTypeThemAndRefusesWhatCanNeverHelp)
{
    const InputCase cases[] = {
        {{"14,2", "", ""}, 14.2, {}, {}, ""},
        {{" 14.2 ", "", ""}, 14.2, {}, {}, ""},
        {{"1.234,5", "1.000.000", ""},
         {},
         {},
         {},
         "Il livello superiore deve essere maggiore di quello inferiore: "
         "altrimenti ogni prezzo fa scattare l'avviso."},
        // A single point is the decimal point, as in the portfolio's cells.
        {{"1.234,5", "1.000", ""}, 1234.5, 1, {}, ""},
        {{"", "", "3%"}, {}, {}, 3, ""},
        {{"", "", "+2,5 %"}, {}, {}, 2.5, ""},
        {{"abc", "", ""}, {}, {}, {}, "\"Prezzo pari o superiore a\": \"abc\" non \xE8 un numero."},
        {{"", "", "3%%"},
         {},
         {},
         {},
         "\"Variazione del giorno oltre \xB1 (%)\": \"3%%\" non \xE8 un numero."},
        {{"0", "", ""},
         {},
         {},
         {},
         "Il livello di \"Prezzo pari o superiore a\" deve essere maggiore di zero: un prezzo non scende a "
         "zero."},
        {{"", "-1", ""},
         {},
         {},
         {},
         "Il livello di \"Prezzo pari o inferiore a\" deve essere maggiore di zero: un prezzo non scende a "
         "zero."},
        {{"14", "14", ""},
         {},
         {},
         {},
         "Il livello superiore deve essere maggiore di quello inferiore: "
         "altrimenti ogni prezzo fa scattare l'avviso."},
        {{"", "", "0"},
         {},
         {},
         {},
         "La variazione deve essere maggiore di zero: \xB1 0% comprende ogni variazione."},
        {{" ", "", ""}, {}, {}, {}, "Indicare almeno una condizione."},
        {{"", "5", "2"},
         {},
         {},
         {},
         "I fondi non hanno la variazione del giorno: la condizione sulla variazione non "
         "si pu\xF2 usare.",
         ConnectionId::Fondi},
        {{"", "5", ""}, {}, 5, {}, "", ConnectionId::Fondi},
    };
    for (const InputCase& c : cases) {
        const AlertTarget target{c.category, "ENI.MI", "ENI", "14,000"};
        const AlertInput input = readAlertInput(target, c.fields);
        const std::string label = c.fields[0] + "|" + c.fields[1] + "|" + c.fields[2];
        EXPECT_EQ(input.problem, c.problem) << label;
        ASSERT_EQ(input.alert.has_value(), c.problem.empty()) << label;
        if (input.alert) {
            EXPECT_EQ(input.alert->category, c.category);
            EXPECT_EQ(input.alert->code, "ENI.MI");
            EXPECT_EQ(input.alert->name, "ENI");
            EXPECT_EQ(input.alert->rule(AlertCondition::AtOrAbove).level, c.above) << label;
            EXPECT_EQ(input.alert->rule(AlertCondition::AtOrBelow).level, c.below) << label;
            EXPECT_EQ(input.alert->rule(AlertCondition::ChangeBeyond).level, c.change) << label;
            // What the dialog shows of a stored alert reads back as the same alert.
            EXPECT_EQ(readAlertInput(target, fieldsOf(&*input.alert)).alert, input.alert) << label;
        }
    }
    EXPECT_EQ(fieldsOf(nullptr), (AlertFields{"", "", ""}));
}

} // namespace
} // namespace listorix
