#include "base/gui/QtText.h"

#include "base/Windows1252.h"

namespace listorix {

QString qText(std::string_view windows1252)
{
    QString text(static_cast<qsizetype>(windows1252.size()), Qt::Uninitialized);
    QChar* out = text.data();
    // Every character of the code page is one UTF-16 unit.
    for (const char c : windows1252)
        *out++ = QChar(static_cast<char16_t>(unicodeFromWindows1252(c)));
    return text;
}

std::string coreText(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text.at(k);
        if (c.isHighSurrogate() && k + 1 < text.size() && text.at(k + 1).isLowSurrogate()) {
            bytes += '?'; // one character outside the code page, written in two units
            ++k;
            continue;
        }
        bytes += windows1252FromUnicode(c.unicode());
    }
    return bytes;
}

} // namespace listorix
