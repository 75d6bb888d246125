#pragma once

#include "base/ProxySettings.h"
#include "fetch/HttpWorker.h"
#include "fetch/TThreadHttp.h"
#include "settings/QuoteSourceSetting.h"
#include "websource/WebSourceEndpoints.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace listorix {

class MainThread;
struct WebSourceMemory;

// What a request needs of the settings in force, copied on the main thread when
// its worker is created: the proxy, the source, the quote host as the settings
// file writes it (key "HOST", possibly empty), the web source's endpoints and the
// settings file the web source keeps its search results in (empty: for the run only).
struct RequestSettings
{
    ProxySettings proxy;
    QuoteSource source = QuoteSource::Csv;
    std::string quoteHost;
    WebSourceEndpoints web;
    std::filesystem::path settingsFile;
};

// The quote host a CSV request of `source` goes to: "csv" the settings' host, or
// the quote service's when it names none usable; "demo" the settings' host, or the
// demo service's default address.
std::string quoteHostFor(QuoteSource source, std::string_view settingsHost);

// `url` (an absolute "http://" URL) with its host and port replaced by `host`.
std::string withQuoteHost(std::string_view url, std::string_view host);

// The composition of the three sources: it knows the settings (the source, the
// quote host) and the workers of the retrieval room, so it sits above both.
//
// The workers of the program's requests, one per request, for the source in force
// when each is created: for "csv" and "demo" a TThreadHttp whose URL goes to that
// source's quote host, for "web" a WebWorker; the web source's memory (last good
// answers, pacing, rests, the search's results) lives as long as the factory: `web`
// when given (shared with the chart pages' fetch), else one of its own.
WorkerFactory quoteSourceWorkerFactory(MainThread& mainThread,
                                       std::function<RequestSettings()> settingsSource,
                                       HttpTimeouts timeouts = {},
                                       std::shared_ptr<WebSourceMemory> web = nullptr);

} // namespace listorix
