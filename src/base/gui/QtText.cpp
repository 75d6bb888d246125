#include "base/gui/QtText.h"

#include <array>

namespace listorix {

namespace {

// Bytes 0x80 to 0x9F; everything else is the same code point as in Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char byteFor(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t k = 0; k < kHighControls.size(); ++k) {
        if (kHighControls[k] == unit && unit != 0xFFFD)
            return static_cast<char>(0x80 + k);
    }
    return '?';
}

} // namespace

QString qText(std::string_view windows1252)
{
    QString text(static_cast<qsizetype>(windows1252.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : windows1252) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte});
    }
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
        bytes += byteFor(c.unicode());
    }
    return bytes;
}

} // namespace listorix
