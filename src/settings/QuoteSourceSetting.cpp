#include "settings/QuoteSourceSetting.h"

#include "base/CaseFold.h"
#include "base/Trim.h"
#include "market/QuoteServiceHost.h"
#include "settings/IniFile.h"

#include <mutex>
#include <set>

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

namespace {

// The settings files found missing when the settings were loaded, links followed.
struct FirstStartFiles
{
    std::mutex mutex;
    std::set<std::filesystem::path> files;
};

FirstStartFiles& firstStartFiles()
{
    static FirstStartFiles registry;
    return registry;
}

} // namespace

QuoteSource loadQuoteSource(const std::filesystem::path& settingsFile)
{
    const std::filesystem::path target = followLinks(settingsFile);
    if (readRegularFile(target, IniFile::kMaxFileBytes).outcome != FileContents::Outcome::Missing)
        return readQuoteSource(settingsFile);
    FirstStartFiles& registry = firstStartFiles();
    const std::lock_guard lock(registry.mutex);
    registry.files.insert(target);
    return QuoteSource::Web;
}

bool addFirstStartValues(const std::filesystem::path& file, IniDocument& document)
{
    FirstStartFiles& registry = firstStartFiles();
    {
        const std::lock_guard lock(registry.mutex);
        if (!registry.files.contains(followLinks(file)))
            return false;
    }
    return document.setValue(kServiceSection, kQuoteSourceKey, quoteSourceName(QuoteSource::Web));
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
