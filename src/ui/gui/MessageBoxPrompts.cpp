#include "ui/gui/MessageBoxPrompts.h"

#include "ui/gui/TextCodec.h"

#include <QMessageBox>

namespace listorix {

namespace {

QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons, QMessageBox::StandardButton fallback)
{
    QMessageBox box(icon, QStringLiteral("Listorix"), displayText(text), buttons, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setDefaultButton(fallback);
    box.setEscapeButton(fallback);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace

void MessageBoxPrompts::warningOk(const std::string& text)
{
    ask(m_parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxPrompts::messageOk(const std::string& text)
{
    ask(m_parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBoxPrompts::confirmYesNo(const std::string& question)
{
    return ask(m_parent, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::No) == QMessageBox::Yes;
}

} // namespace listorix
