#include "market/IndexPanel.h"
#include "market/IntradayChart.h"
#include "market/gui/IndexPanelView.h"
#include "market/gui/IntradayChartView.h"

#include <QLabel>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#include <gtest/gtest.h>

namespace listorix {
namespace {

double at(int hour, int minute)
{
    return (hour * 60 + minute) / (24.0 * 60);
}

TEST(IndexPanelView, showsThePanelsTextsInTheirColoursUnderTheirControlNames)
{
    IndexPanel panel;
    IndexPanelView view(panel);
    for (const std::string& name : IndexPanel::controlNames())
        EXPECT_NE(view.findChild<QLabel*>(QString::fromStdString(name)), nullptr) << name;
    EXPECT_EQ(view.findChild<QLabel*>("LabelDataIndici")->text(), "Indici del");

    {
        const auto batch = panel.batchChanges();
        panel.setText(MarketIndex::MIB30, IndexField::Change, "-1,10");
        panel.applyColourBySign(MarketIndex::MIB30);
        panel.setText(MarketIndex::SPMIB, IndexField::Value, "31.250");
        panel.setDateHeader("Valori del 25/01/2005");
    }
    const auto* change = view.findChild<QLabel*>("StaticTextMIB30");
    EXPECT_EQ(change->text(), "-1,10");
    EXPECT_EQ(change->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(view.findChild<QLabel*>("StaticTextSPMIB_valore")->text(), "31.250");
    EXPECT_EQ(view.findChild<QLabel*>("StaticTextMIBTEL")->palette().color(QPalette::WindowText),
              QColor(0, 0, 255));
    EXPECT_EQ(view.findChild<QLabel*>("LabelDataIndici")->text(), "Valori del 25/01/2005");
}

TEST(IntradayChartView, drawsTheCoresLinesOverItsRangesWithHourMinuteLabels)
{
    IntradayChart chart;
    IntradayChartView view(chart);
    auto* mibtel = view.chart()->findChild<QLineSeries*>("Series1");
    ASSERT_NE(mibtel, nullptr);
    EXPECT_EQ(mibtel->name(), "MIBTEL");
    EXPECT_EQ(mibtel->color(), QColor(255, 0, 0));
    EXPECT_EQ(view.chart()->findChild<QLineSeries*>("Series4")->color(), QColor(0, 0, 255));
    EXPECT_TRUE(view.chart()->legend()->reverseMarkers());

    chart.ResetChart();
    chart.AddChartPoint(chart.Series1, at(9, 30), 0.35);
    ASSERT_EQ(mibtel->count(), 1);
    EXPECT_DOUBLE_EQ(mibtel->at(0).x(), 9 * 60 + 30);
    EXPECT_DOUBLE_EQ(mibtel->at(0).y(), 0.35);
    EXPECT_EQ(view.timeLabels(), (QStringList{"9:30", "9:40", "9:50", "10:00", "10:10", "10:20", "10:30"}));
    auto* values = qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).front());
    EXPECT_DOUBLE_EQ(values->min(), -0.1);
    EXPECT_DOUBLE_EQ(values->max(), 1);

    chart.AddChartPoint(chart.Series2, at(11, 10), -1.4);
    EXPECT_EQ(view.timeLabels(), (QStringList{"9:40", "10:00", "10:20", "10:40", "11:00"}));
    EXPECT_DOUBLE_EQ(values->min(), -2);

    // Drawn along the time axis, whatever the order the points came in.
    chart.AddChartPoint(chart.Series1, at(9, 0), 0.1);
    ASSERT_EQ(mibtel->count(), 2);
    EXPECT_DOUBLE_EQ(mibtel->at(0).x(), 9 * 60);
    EXPECT_DOUBLE_EQ(mibtel->at(1).x(), 9 * 60 + 30);

    chart.ResetChart();
    EXPECT_EQ(mibtel->count(), 0);
    EXPECT_EQ(view.timeLabels().front(), "0:00");
}

} // namespace
} // namespace listorix
