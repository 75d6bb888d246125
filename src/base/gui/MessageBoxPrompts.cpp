#include "base/gui/MessageBoxPrompts.h"

#include "base/gui/QtText.h"

#include <QApplication>
#include <QMessageBox>

namespace listorix {

void MessageBoxPrompts::warningOk(const std::string& text)
{
    QMessageBox::warning(m_parent, QApplication::applicationName(), qText(text), QMessageBox::Ok);
}

void MessageBoxPrompts::messageOk(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), qText(text), QMessageBox::Ok,
                    m_parent);
    box.exec();
}

bool MessageBoxPrompts::confirmYesNo(const std::string& question)
{
    return QMessageBox::question(m_parent, QApplication::applicationName(), qText(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace listorix
