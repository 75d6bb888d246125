#include "app/gui/AnimatedLogo.h"

#include <QPainter>
#include <cmath>
#include <numbers>

namespace listorix {

namespace {

constexpr int kSize = 32;
constexpr int kFrameMilliseconds = 45;
constexpr int kDots = 11;

} // namespace

AnimatedLogo::AnimatedLogo(QWidget* parent) : QWidget(parent)
{
    setObjectName("AnimatedLogo");
    setFixedSize(kSize, kSize);
    m_timer.setInterval(kFrameMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % kFrames;
        update();
    });
}

void AnimatedLogo::setActive(bool active)
{
    if (active == m_timer.isActive())
        return;
    if (active) {
        m_timer.start();
    } else {
        m_timer.stop();
        m_frame = 0;
    }
    update();
}

void AnimatedLogo::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double radius = kSize * 0.36;
    const double spot = 2 * std::numbers::pi * m_frame / kFrames;
    for (int k = 0; k < kDots; ++k) {
        const double angle = 2 * std::numbers::pi * k / kDots;
        // How far behind the bright spot this dot is, 0 to 1.
        double behind =
            std::fmod(spot - angle + 4 * std::numbers::pi, 2 * std::numbers::pi) / (2 * std::numbers::pi);
        const int strength = isActive() ? static_cast<int>(255 * (1 - behind)) : 90;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 128, std::max(strength, 40)));
        const QPointF at(centre.x() + radius * std::sin(angle), centre.y() - radius * std::cos(angle));
        painter.drawEllipse(at, 2.6, 2.6);
    }
}

} // namespace listorix
