#pragma once

#include <filesystem>
#include <string_view>

namespace listorix {

// Stores `host` as the quote host, key "HOST" of section "SERVIZIO", touching no
// other key (the file is made when missing). False, writing nothing, when the
// host is not usable as the settings read it ("host" or "host:port"). Throws
// FileWriteError when the file cannot be written.
bool writeQuoteHost(const std::filesystem::path& settingsFile, std::string_view host);

} // namespace listorix
