#include "app/gui/TAboutForm.h"

#include "app/AboutText.h"
#include "app/gui/ProgramIcon.h"
#include "app/gui/RoundedFrame.h"
#include "base/gui/DisplayText.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

namespace listorix {

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Informazioni"));
    setFixedSize(524, 302);

    m_name = new QLabel(QStringLiteral("Listorix"), this);
    m_name->setObjectName(QStringLiteral("LabelListorix"));
    m_name->setGeometry(60, 16, 139, 34);
    m_name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont nameFont(QStringLiteral("Arial"));
    nameFont.setPixelSize(29);
    nameFont.setBold(true);
    nameFont.setItalic(true);
    m_name->setFont(nameFont);
    m_name->setStyleSheet(QStringLiteral("color: purple;"));
    m_name->setCursor(Qt::PointingHandCursor);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("ImageListorix"));
    m_image->setGeometry(30, 16, 32, 32);
    m_image->setPixmap(programIconPixmap(32));
    m_image->setCursor(Qt::PointingHandCursor);

    m_shape = new RoundedFrame(Qt::blue, 2, this);
    m_shape->setObjectName(QStringLiteral("ShapeListorix"));
    m_shape->setGeometry(24, 12, 181, 41);
    m_shape->hide();

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("LabelTesto"));
    m_text->setGeometry(78, 56, 393, 189);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setTextFormat(Qt::PlainText);
    QFont textFont(QStringLiteral("Arial"));
    textFont.setPixelSize(13);
    textFont.setBold(true);
    m_text->setFont(textFont);
    m_text->setStyleSheet(QStringLiteral("color: navy;"));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setGeometry(200, 260, 125, 33);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    for (QWidget* watched : {static_cast<QWidget*>(this), static_cast<QWidget*>(m_name),
                             static_cast<QWidget*>(m_image), static_cast<QWidget*>(m_text)}) {
        watched->setMouseTracking(true);
        watched->installEventFilter(this);
    }

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TAboutForm::setAboutText(std::string_view version, std::string_view contactText)
{
    m_text->setText(displayText(aboutText(version, contactText)));
}

void TAboutForm::ShowAbout(std::string_view version, std::string_view contactText)
{
    setAboutText(version, contactText);
    exec();
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    const bool nameOrIcon = watched == m_name || watched == m_image;
    if (event->type() == QEvent::MouseMove) {
        if (!nameOrIcon) {
            FormMouseMove(watched);
        } else {
            LabelListorixMouseMove();
            return true; // the move is theirs: it must not reach the box beneath and hide the frame
        }
    } else if (event->type() == QEvent::MouseButtonRelease && nameOrIcon &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit homePageRequested();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::LabelListorixMouseMove()
{
    if (m_shape->isHidden())
        m_shape->show();
}

void TAboutForm::FormMouseMove(QObject* sender)
{
    if (sender != m_name && sender != m_image && !m_shape->isHidden())
        m_shape->hide();
}

} // namespace listorix
