#include "app/gui/TFormCover.h"

#include "app/AboutText.h"
#include "app/gui/ProgramIcon.h"
#include "base/gui/DisplayText.h"
#include "base/gui/QtText.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace listorix {

namespace {

QLabel* addLabel(QVBoxLayout* layout, const char* name, const QString& text, int height,
                 const QString& colour, int pixelSize = 0, bool bold = false, bool italic = false,
                 const QString& family = {})
{
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedHeight(height);
    label->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(colour));
    if (pixelSize > 0) {
        QFont font = label->font();
        if (!family.isEmpty())
            font.setFamily(family);
        font.setPixelSize(pixelSize);
        font.setBold(bold);
        font.setItalic(italic);
        label->setFont(font);
    }
    layout->addWidget(label);
    return label;
}

} // namespace

TFormCover::TFormCover(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FormCover"));
    setFixedSize(278, 220);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0, 64, 128));
    panel->setPalette(palette);
    outer->addWidget(panel);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    const QString sans = QStringLiteral("Sans Serif");
    addLabel(layout, "Label5", {}, 13, QStringLiteral("white"));
    addLabel(layout, "Label3", qText(kSplashTitle), 37, QStringLiteral("white"), 32, true, false, sans);
    addLabel(layout, "Label6", qText(kProductWebAddress), 22, QStringLiteral("yellow"), 19, true, false,
             QStringLiteral("Arial"));
    auto* image = new QLabel(panel);
    image->setObjectName(QStringLiteral("Image1"));
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(programIconPixmap(32));
    layout->addWidget(image, 1);
    addLabel(layout, "Label2", displayText(kSplashLoading), 71, QStringLiteral("white"), 19, true, true,
             sans);
    addLabel(layout, "Label1", qText(kSplashMakerLine), 15, QStringLiteral("silver"), 12, true, false,
             QStringLiteral("Arial"));
    addLabel(layout, "Label4", {}, 13, QStringLiteral("white"));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormCover::showAndPaint()
{
    show();
    raise();
    repaint();
}

void TFormCover::bringToFront()
{
    hide();
    showAndPaint();
}

} // namespace listorix
