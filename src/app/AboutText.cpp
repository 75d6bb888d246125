#include "app/AboutText.h"

namespace listorix {

std::string aboutText(std::string_view version, std::string_view contactText)
{
    std::string text = "Versione: ";
    text += version;
    text += '\r';
    for (const std::string_view line : kAboutCreditLines) {
        text += line;
        text += '\r';
    }
    text += '\r';
    text += contactText;
    return text;
}

} // namespace listorix
