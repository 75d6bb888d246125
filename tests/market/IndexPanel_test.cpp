#include "IndexTestSupport.h"
#include "market/IndexPanel.h"
#include "market/TrayHint.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>

namespace listorix {
namespace {

TEST(IndexPanel, controlsAreNamedAfterIndexAndColumn)
{
    const auto names = IndexPanel::controlNames();
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 20u);
    EXPECT_EQ(names.front(), "StaticTextMIBTEL");
    EXPECT_EQ(names.back(), "StaticTextSPMIB_max");

    const struct
    {
        const char* name;
        MarketIndex index;
        IndexField field;
    } cases[] = {
        {"StaticTextMIBTEL", MarketIndex::MIBTEL, IndexField::Change},
        {"StaticTextMIBTEL_valore", MarketIndex::MIBTEL, IndexField::Value},
        {"StaticTextMIB30_ora", MarketIndex::MIB30, IndexField::Time},
        {"StaticTextMIDEX_min", MarketIndex::MIDEX, IndexField::Low},
        {"StaticTextSPMIB_max", MarketIndex::SPMIB, IndexField::High},
        {"StaticTextSPMIB", MarketIndex::SPMIB, IndexField::Change},
    };
    IndexPanel panel;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IndexPanel::controlName(c.index, c.field), c.name);
        const auto id = IndexPanel::findControl(c.name);
        ASSERT_TRUE(id);
        EXPECT_EQ(id->index, c.index);
        EXPECT_EQ(id->field, c.field);
        panel.setText(c.index, c.field, c.name);
        ASSERT_NE(panel.control(c.name), nullptr);
        EXPECT_EQ(panel.control(c.name)->text, c.name);
    }
    for (const char* unknown :
         {"", "StaticText", "StaticTextMIBTEL_var", "staticTextMIBTEL", "LabelDataIndici"}) {
        SCOPED_TRACE(unknown);
        EXPECT_FALSE(IndexPanel::findControl(unknown));
        EXPECT_EQ(panel.control(unknown), nullptr);
    }
}

TEST(IndexPanel, startsEmptyInBlueUnderTheDesignHeader)
{
    const IndexPanel panel;
    for (const auto& name : IndexPanel::controlNames())
        EXPECT_EQ(*panel.control(name), (PanelText{"", clBlue})) << name;
    EXPECT_EQ(panel.dateHeader(), "Indici del");
    EXPECT_EQ(trayHintText(panel), "MIBTEL: MIB30: MIDEX:");
}

TEST(IndexPanel, changeColourFollowsTheSignOfTheChangeText)
{
    const struct
    {
        const char* text;
        TColor colour;
    } cases[] = {{"-1,00", clRed}, {"+0,50", clBlue}, {"0,00", clBlue}, {"", clBlue}, {" -1", clBlue}};
    IndexPanel panel;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        panel.setText(MarketIndex::MIDEX, IndexField::Change, c.text);
        // Setting the text alone leaves the colour to the explicit step.
        panel.applyColourBySign(MarketIndex::MIDEX);
        EXPECT_EQ(panel.control(MarketIndex::MIDEX, IndexField::Change).colour, c.colour);
    }
    // Only the change text takes a colour.
    panel.setText(MarketIndex::MIDEX, IndexField::Value, "-5");
    panel.applyColourBySign(MarketIndex::MIDEX);
    EXPECT_EQ(panel.control(MarketIndex::MIDEX, IndexField::Value).colour, clBlue);
}

TEST(IndexPanel, noticesOnlyForRealChanges)
{
    IndexPanel panel;
    int notices = 0;
    panel.setObserver([&] { ++notices; });

    panel.setText(MarketIndex::MIBTEL, IndexField::Change, "-1,00");
    panel.setText(MarketIndex::MIBTEL, IndexField::Change, "-1,00");
    EXPECT_EQ(notices, 1);
    panel.applyColourBySign(MarketIndex::MIBTEL);
    panel.applyColourBySign(MarketIndex::MIBTEL);
    EXPECT_EQ(notices, 2);
    panel.setDateHeader("Valori del 25/01/2005");
    panel.setDateHeader("Valori del 25/01/2005");
    EXPECT_EQ(notices, 3);

    {
        const auto outer = panel.batchChanges();
        panel.setText(MarketIndex::MIB30, IndexField::Value, "1");
        {
            const auto inner = panel.batchChanges();
            panel.setText(MarketIndex::MIB30, IndexField::Low, "1");
        }
        EXPECT_EQ(notices, 3);
    }
    EXPECT_EQ(notices, 4);
}

TEST(IndexPanel, anObserverThatThrowsAtTheEndOfABatchIsContained)
{
    IndexPanel panel;
    panel.setObserver([] { throw std::runtime_error("view gone"); });
    {
        const auto batch = panel.batchChanges();
        panel.setText(MarketIndex::MIB30, IndexField::Value, "1");
    }
    EXPECT_EQ(panel.text(MarketIndex::MIB30, IndexField::Value), "1");
}

TEST(TrayHint, namesTheThreeChangesWithoutSpmib)
{
    IndexPanel panel;
    panel.setText(MarketIndex::MIBTEL, IndexField::Change, "+0,52");
    panel.setText(MarketIndex::MIB30, IndexField::Change, "-1,10");
    panel.setText(MarketIndex::MIDEX, IndexField::Change, "+0,05");
    panel.setText(MarketIndex::SPMIB, IndexField::Change, "+9,99");
    panel.setText(MarketIndex::MIBTEL, IndexField::Value, "31.245");
    EXPECT_EQ(trayHintText(panel), "MIBTEL:+0,52 MIB30:-1,10 MIDEX:+0,05");

    panel.setText(MarketIndex::MIB30, IndexField::Change, "");
    EXPECT_EQ(trayHintText(panel), "MIBTEL:+0,52 MIB30: MIDEX:+0,05");
}

} // namespace
} // namespace listorix
