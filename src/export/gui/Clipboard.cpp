#include "export/gui/Clipboard.h"

#include "base/gui/QtText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace listorix {

void putTextOnClipboard(const std::string& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(qText(text), QClipboard::Clipboard);
}

} // namespace listorix
