#pragma once

#include <QTimer>
#include <QWidget>

namespace listorix {

// The tool bar's animated logo: a ring of dots whose bright spot goes round in 44
// frames while a fetch is in progress, and stands still otherwise (no timer then).
class AnimatedLogo final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kFrames = 44;

    explicit AnimatedLogo(QWidget* parent = nullptr);

    void setActive(bool active);
    bool isActive() const { return m_timer.isActive(); }
    int frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer m_timer;
    int m_frame = 0;
};

} // namespace listorix
