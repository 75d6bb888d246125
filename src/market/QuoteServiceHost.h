#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// The quote service's host when the settings file names none. The original
// service no longer answers, so users point the program at a compatible one
// through the key below.
inline constexpr std::string_view kDefaultQuoteServiceHost = "it.finance.yahoo.com";
inline constexpr std::string_view kServiceSection = "SERVIZIO";
inline constexpr std::string_view kServiceHostKey = "HOST";

// The settings file's host value checked and normalised ("host" or "host:port",
// port 1-65535, no scheme, path or blanks inside); nothing when unusable.
std::optional<std::string> parseQuoteServiceHost(std::string_view raw);
// The host in force for a raw settings value: the default when it is missing or unusable.
std::string quoteServiceHostFromSetting(std::string_view raw);

// The chart page of `symbol` (taken unchanged) for periods 1 to 7 (1 day to
// 5 years); nothing for any other period.
std::optional<std::string> chartPageUrl(std::string_view host, std::string_view symbol, int period);

} // namespace listorix
