#pragma once

#include <QChartView>
#include <optional>
#include <utility>
#include <vector>

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace listorix {

class ChartSeries;
class IntradayChart;

// Chart1, the day's index chart: the core's three lines (MIBTEL red, MIB30 green,
// MIDEX blue) drawn with 2 x 2 points, the time axis labelled "h:mm" in blue and the
// value axis in red over the ranges the core computes, the legend in reverse order
// on silver. A mouse drag pans it sideways. It redraws on the chart's change notice.
class IntradayChartView final : public QChartView
{
    Q_OBJECT

public:
    explicit IntradayChartView(IntradayChart& chart, QWidget* parent = nullptr);
    ~IntradayChartView() override;

    // The labels of the time axis as shown, left to right.
    QStringList timeLabels() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLineSeries* addSeries(const ChartSeries& series, const char* name);
    void refresh();
    void labelTimeAxis(double firstMinute, double lastMinute);

    IntradayChart& m_chart;
    std::vector<std::pair<const ChartSeries*, QLineSeries*>> m_lines;
    QCategoryAxis* m_timeAxis;
    QValueAxis* m_valueAxis;
    std::optional<QPoint> m_panFrom;
};

} // namespace listorix
