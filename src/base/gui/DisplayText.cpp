#include "base/gui/DisplayText.h"

#include "base/gui/QtText.h"

namespace listorix {

QString displayText(std::string_view text)
{
    QString shown = qText(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

} // namespace listorix
