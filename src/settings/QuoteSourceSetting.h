#pragma once

#include <filesystem>
#include <string_view>

namespace listorix {

// Where the quotes come from, key "SORGENTE" of section "SERVIZIO":
// "csv"  the quote service's CSV requests on the quote host (key "HOST"), as always;
// "demo" the same requests to the demo quote service on this machine (key "HOST",
//        else the demo service's own default address);
// "web"  the web source: the quote service's current web form and the exchange's
//        chart service, translated into the CSV answers the program reads.
enum class QuoteSource
{
    Csv,
    Demo,
    Web,
};

inline constexpr std::string_view kQuoteSourceKey = "SORGENTE";
// Where the demo service listens unless told otherwise.
inline constexpr std::string_view kDefaultDemoQuoteHost = "127.0.0.1:8080";

// "csv", "demo" or "web", letter case and surrounding blanks ignored; anything
// else, the empty value included, is "csv".
QuoteSource parseQuoteSource(std::string_view raw);
std::string_view quoteSourceName(QuoteSource source);

// The source the settings file names ("csv" when it names none or cannot be read).
QuoteSource readQuoteSource(const std::filesystem::path& settingsFile);

// The source in force when the settings are loaded: the one the settings file names,
// "csv" for a file without the key, as it always was; and "web", the one source that
// answers today, when there is no settings file at all, a first start. The first
// write that then creates the file, whoever makes it (the dialog's, the window
// placement's, the saves at closing, the web source's), writes SORGENTE=web into it
// with its own change, so that the next start finds the source this one used.
QuoteSource loadQuoteSource(const std::filesystem::path& settingsFile);

class IniDocument;
// What a write that creates the settings file adds to it (see loadQuoteSource);
// IniFile's writers call it. Whether it added anything.
bool addFirstStartValues(const std::filesystem::path& file, IniDocument& document);
// Stores `source` under "SERVIZIO" "SORGENTE", touching no other key; nothing is
// written when the file already says so (a file without the key says "csv").
// Throws FileWriteError when the file cannot be written.
void writeQuoteSource(const std::filesystem::path& settingsFile, QuoteSource source);

} // namespace listorix
