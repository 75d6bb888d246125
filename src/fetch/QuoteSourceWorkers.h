#pragma once

#include "base/ProxySettings.h"
#include "fetch/RequestSource.h"
#include "fetch/TThreadHttp.h"
#include "settings/QuoteSourceSetting.h"
#include "websource/CurlTransport.h"
#include "websource/WebSourceEndpoints.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace listorix {

class MainThread;
class SettingsInForce;
struct WebSourceMemory;

// What one request takes of the settings in force, copied on the main thread when
// its worker is made: the proxy, the source, the quote host as the settings file
// writes it (key "HOST", possibly empty), the web source's endpoints and the
// settings file the web source keeps its search results in (empty: for the run only).
struct RequestSettings
{
    ProxySettings proxy;
    QuoteSource source = QuoteSource::Csv;
    std::string quoteHost;
    WebSourceEndpoints web;
    std::filesystem::path settingsFile;
};

// The request settings of the settings in force.
RequestSettings requestSettingsOf(const SettingsInForce& settings);

// How the web source's requests travel for these settings.
CurlTransportOptions webTransportOptions(const RequestSettings& settings, const HttpTimeouts& timeouts);

// The quote host a CSV request of `source` goes to: "csv" the settings' host, or
// the quote service's when it names none usable; "demo" the settings' host, or the
// demo service's default address.
std::string quoteHostFor(QuoteSource source, std::string_view settingsHost);

// The three quote sources behind the fetch, chosen by the settings in force when
// each request starts: for "csv" and "demo" a TThreadHttp asking the source's
// quote host, for "web" a WebWorker answering the same request from the web
// source. The web source's memory (last good answers, pacing, rests, the search's
// results) lives as long as this object: `web` when given (shared with the chart
// pages' fetch), else one of its own.
class QuoteSourceWorkers final : public RequestSource
{
public:
    // The collaborators must outlive this object.
    QuoteSourceWorkers(MainThread& mainThread, const SettingsInForce& settings, HttpTimeouts timeouts = {},
                       std::shared_ptr<WebSourceMemory> web = nullptr);
    ~QuoteSourceWorkers() override;
    QuoteSourceWorkers(const QuoteSourceWorkers&) = delete;
    QuoteSourceWorkers& operator=(const QuoteSourceWorkers&) = delete;

    // "http://" + the quote host of the source in force + the entry's path.
    std::string requestUrl(std::string_view path) const override;
    std::unique_ptr<HttpWorker> newWorker() override;

    // The web source's memory of the run, for the chart pages' fetch.
    const std::shared_ptr<WebSourceMemory>& webSource() const { return m_web; }

private:
    MainThread& m_mainThread;
    const SettingsInForce& m_settings;
    const HttpTimeouts m_timeouts;
    // Shared with the web workers and the chart pages' fetch.
    std::shared_ptr<WebSourceMemory> m_web;
};

} // namespace listorix
