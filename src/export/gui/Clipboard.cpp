#include "export/gui/Clipboard.h"

#include "ui/gui/TextCodec.h"

#include <QClipboard>
#include <QGuiApplication>

namespace listorix {

void putTextOnClipboard(const std::string& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(fromCp1252(text), QClipboard::Clipboard);
}

} // namespace listorix
