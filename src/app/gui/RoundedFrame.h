#pragma once

#include <QColor>
#include <QWidget>

namespace listorix {

// An outline with rounded corners and no fill, drawn over what lies beneath.
class RoundedFrame final : public QWidget
{
    Q_OBJECT

public:
    RoundedFrame(QColor colour, int penWidth, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    int m_penWidth;
};

} // namespace listorix
