#include "market/gui/IntradayChartView.h"

#include "base/gui/QtColour.h"
#include "base/gui/QtText.h"
#include "market/IntradayChart.h"

#include <QCategoryAxis>
#include <QFontMetrics>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QMouseEvent>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace listorix {

namespace {

constexpr double kMinutesPerDay = 24 * 60;

// Label steps of the time axis, in minutes: the smallest that gives at most six steps.
constexpr int kTimeSteps[] = {1, 2, 5, 10, 15, 20, 30, 60, 120, 180, 240, 360, 720};
constexpr int kMaxTimeSteps = 6;

QString hourMinute(int minuteOfDay)
{
    return QString("%1:%2").arg(minuteOfDay / 60).arg(minuteOfDay % 60, 2, 10, QChar('0'));
}

} // namespace

IntradayChartView::IntradayChartView(IntradayChart& chart, QWidget* parent)
    : QChartView(parent), m_chart(chart), m_timeAxis(new QCategoryAxis), m_valueAxis(new QValueAxis)
{
    setObjectName("Chart1");
    auto* view = new QChart;
    view->setAnimationOptions(QChart::NoAnimation);
    view->setBackgroundRoundness(0);
    view->setMargins(QMargins(2, 2, 2, 2));
    view->setLocalizeNumbers(true); // the value axis in the program's Italian
    setChart(view);                 // the view owns the chart, the chart its series and axes

    m_timeAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_timeAxis->setLabelsColor(Qt::blue);
    m_valueAxis->setLabelsColor(Qt::red);
    m_valueAxis->setLabelFormat("%.1f");
    view->addAxis(m_timeAxis, Qt::AlignBottom);
    view->addAxis(m_valueAxis, Qt::AlignLeft);
    addSeries(chart.Series1, "Series1");
    addSeries(chart.Series2, "Series2");
    addSeries(chart.Series4, "Series4");

    QLegend* legend = view->legend();
    legend->setAlignment(Qt::AlignRight);
    legend->setReverseMarkers(true);
    legend->setBackgroundVisible(true);
    legend->setBrush(QColor(192, 192, 192));
    legend->setPen(QPen(Qt::black));
    // As high as its three entries, not the whole side of the chart.
    legend->setMaximumHeight(3 * (QFontMetrics(legend->font()).height() + 8) + 16);

    m_chart.setObserver([this] { refresh(); });
    refresh();
}

IntradayChartView::~IntradayChartView()
{
    m_chart.setObserver(nullptr);
}

QLineSeries* IntradayChartView::addSeries(const ChartSeries& series, const char* name)
{
    auto* line = new QLineSeries;
    line->setObjectName(name);
    line->setName(qText(series.title()));
    const QColor colour = qColour(series.colour());
    line->setColor(colour);
    QImage point(2, 2, QImage::Format_RGB32);
    point.fill(colour);
    line->setLightMarker(point);
    line->setMarkerSize(2);
    chart()->addSeries(line);
    line->attachAxis(m_timeAxis);
    line->attachAxis(m_valueAxis);
    m_lines.emplace_back(&series, line);
    return line;
}

void IntradayChartView::refresh()
{
    for (const auto& [series, line] : m_lines) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(series->points().size()));
        for (const ChartPoint& p : series->points())
            points.append(QPointF(p.x * kMinutesPerDay, p.y));
        // The line runs in the order of the time axis, whatever order the points
        // came in (a restart on the same day, a demo market replaying a session).
        std::stable_sort(points.begin(), points.end(),
                         [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        line->replace(points);
    }
    const AxisRange& time = m_chart.timeAxis();
    labelTimeAxis(time.minimum * kMinutesPerDay, time.maximum * kMinutesPerDay);
    const AxisRange& value = m_chart.valueAxis();
    m_valueAxis->setRange(value.minimum, value.maximum);
}

void IntradayChartView::labelTimeAxis(double firstMinute, double lastMinute)
{
    for (const QString& label : m_timeAxis->categoriesLabels())
        m_timeAxis->remove(label);
    m_timeAxis->setRange(firstMinute, lastMinute);
    const double span = lastMinute - firstMinute;
    int step = kTimeSteps[std::size(kTimeSteps) - 1];
    for (const int candidate : kTimeSteps) {
        if (span / candidate <= kMaxTimeSteps) {
            step = candidate;
            break;
        }
    }
    m_timeAxis->setStartValue(firstMinute);
    for (double minute = std::ceil(firstMinute / step) * step; minute <= lastMinute + 1e-9; minute += step)
        m_timeAxis->append(hourMinute(static_cast<int>(std::lround(minute)) % (24 * 60)), minute);
}

QStringList IntradayChartView::timeLabels() const
{
    return m_timeAxis->categoriesLabels();
}

void IntradayChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_panFrom = event->position().toPoint();
    QChartView::mousePressEvent(event);
}

void IntradayChartView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_panFrom && (event->buttons() & Qt::LeftButton)) {
        const QPoint at = event->position().toPoint();
        chart()->scroll(m_panFrom->x() - at.x(), 0);
        m_panFrom = at;
    }
    QChartView::mouseMoveEvent(event);
}

void IntradayChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_panFrom.reset();
    QChartView::mouseReleaseEvent(event);
}

} // namespace listorix
