#include "settings/QuoteSourceSetting.h"

#include "base/Trim.h"
#include "market/QuoteServiceHost.h"
#include "base/CaseFold.h"
#include "settings/IniFile.h"

namespace listorix {

QuoteSource parseQuoteSource(std::string_view raw)
{
    const std::string_view value = trimControls(raw);
    if (textEqualsIgnoringCase(value, "web"))
        return QuoteSource::Web;
    if (textEqualsIgnoringCase(value, "demo"))
        return QuoteSource::Demo;
    return QuoteSource::Csv;
}

std::string_view quoteSourceName(QuoteSource source)
{
    switch (source) {
    case QuoteSource::Demo:
        return "demo";
    case QuoteSource::Web:
        return "web";
    case QuoteSource::Csv:
        break;
    }
    return "csv";
}

QuoteSource readQuoteSource(const std::filesystem::path& settingsFile)
{
    return parseQuoteSource(IniFile(settingsFile).readString(kServiceSection, kQuoteSourceKey));
}

void writeQuoteSource(const std::filesystem::path& settingsFile, QuoteSource source)
{
    IniFile ini(settingsFile);
    if (parseQuoteSource(ini.readString(kServiceSection, kQuoteSourceKey)) == source)
        return;
    ini.writeString(kServiceSection, kQuoteSourceKey, quoteSourceName(source));
}

} // namespace listorix
