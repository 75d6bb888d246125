#include "settings/QuoteHostSetting.h"

#include "market/QuoteServiceHost.h"
#include "settings/IniFile.h"

namespace listorix {

bool writeQuoteHost(const std::filesystem::path& settingsFile, std::string_view host)
{
    const auto usable = parseQuoteServiceHost(host);
    if (!usable)
        return false;
    IniFile(settingsFile).writeString(kServiceSection, kServiceHostKey, *usable);
    return true;
}

} // namespace listorix
