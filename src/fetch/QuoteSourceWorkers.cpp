#include "fetch/QuoteSourceWorkers.h"

#include "base/LoopClock.h"
#include "fetch/WebSourceMemory.h"
#include "fetch/WebWorker.h"
#include "market/QuoteServiceHost.h"
#include "websource/WebAnswerTranslator.h"

#include <memory>

namespace listorix {

namespace {

// A TThreadHttp whose request goes to the quote host of the source in force: the
// catalogue's URL is taken as it is but for its host.
class QuoteHostWorker final : public HttpWorker
{
public:
    QuoteHostWorker(MainThread& mainThread, const ProxySettings& proxy, const HttpTimeouts& timeouts,
                    std::string host)
        : m_inner(mainThread, proxy, timeouts), m_host(std::move(host))
    {
        m_inner.OnStatus = [this](HttpWorker& inner) {
            StatusText = inner.StatusText;
            if (OnStatus)
                OnStatus(*this);
        };
        m_inner.OnDone = [this](HttpWorker& inner) {
            Succeeded = inner.Succeeded;
            StatusText = inner.StatusText;
            Body = std::move(inner.Body);
            if (OnDone)
                OnDone(*this);
            Body.clear();
        };
    }

    void Resume() override
    {
        m_inner.Url = Url.empty() ? Url : withQuoteHost(Url, m_host);
        m_inner.DisplayName = DisplayName;
        m_inner.Resume();
    }
    void Close() override { m_inner.Close(); }

private:
    TThreadHttp m_inner;
    const std::string m_host;
};

CurlTransportOptions transportOptions(const RequestSettings& settings, const HttpTimeouts& timeouts)
{
    CurlTransportOptions options;
    if (settings.proxy.enabled) {
        options.proxyAddress = settings.proxy.address;
        options.proxyPort = settings.proxy.port;
        options.proxyUsername = settings.proxy.username;
        options.proxyPassword = settings.proxy.password;
    }
    options.certificatesFile = settings.web.certificatesFile;
    options.connectTimeout = timeouts.connect;
    options.totalTimeout = timeouts.idle;
    return options;
}

} // namespace

std::string quoteHostFor(QuoteSource source, std::string_view settingsHost)
{
    if (source == QuoteSource::Demo) {
        if (auto host = parseQuoteServiceHost(settingsHost))
            return std::move(*host);
        return std::string(kDefaultDemoQuoteHost);
    }
    return quoteServiceHostFromSetting(settingsHost);
}

std::string withQuoteHost(std::string_view url, std::string_view host)
{
    const auto scheme = url.find("://");
    if (scheme == std::string_view::npos)
        return std::string(url);
    const auto hostStart = scheme + 3;
    const auto pathStart = url.find_first_of("/?", hostStart);
    std::string result(url.substr(0, hostStart));
    result += host;
    if (pathStart != std::string_view::npos)
        result += url.substr(pathStart);
    return result;
}

WorkerFactory quoteSourceWorkerFactory(MainThread& mainThread,
                                       std::function<RequestSettings()> settingsSource, HttpTimeouts timeouts,
                                       std::shared_ptr<WebSourceMemory> web)
{
    if (!web)
        web = std::make_shared<WebSourceMemory>();
    // The translator shares the web source's lifetime through an aliasing pointer.
    std::shared_ptr<WebAnswerTranslator> translator(web, &web->translator);
    return [&mainThread, settingsSource = std::move(settingsSource), timeouts, web,
            translator]() -> std::unique_ptr<HttpWorker> {
        const RequestSettings settings = settingsSource ? settingsSource() : RequestSettings{};
        web->resolutions.useFile(settings.settingsFile);
        if (settings.source == QuoteSource::Web)
            return std::make_unique<WebWorker>(mainThread, translator, settings.web,
                                               transportOptions(settings, timeouts));
        return std::make_unique<QuoteHostWorker>(mainThread, settings.proxy, timeouts,
                                                 quoteHostFor(settings.source, settings.quoteHost));
    };
}

} // namespace listorix
