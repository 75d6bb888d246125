#include "base/gui/MessageBoxPrompts.h"

#include "base/gui/DisplayText.h"

#include <QApplication>
#include <QMessageBox>

namespace listorix {

void MessageBoxPrompts::warningOk(const std::string& text)
{
    QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(), displayText(text),
                         QMessageBox::Ok);
}

void MessageBoxPrompts::messageOk(const std::string& text)
{
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationName(), displayText(text),
                             QMessageBox::Ok);
}

bool MessageBoxPrompts::confirmYesNo(const std::string& question)
{
    return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationName(),
                                 displayText(question), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace listorix
