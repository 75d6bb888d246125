#include "fetch/QuoteSourceWorkers.h"

#include "fetch/WebSourceMemory.h"
#include "fetch/WebWorker.h"
#include "market/QuoteServiceHost.h"
#include "settings/SettingsInForce.h"
#include "websource/WebAnswerTranslator.h"

namespace listorix {

CurlTransportOptions webTransportOptions(const RequestSettings& settings, const HttpTimeouts& timeouts)
{
    CurlTransportOptions options;
    options.proxy = settings.proxy;
    options.certificatesFile = settings.web.certificatesFile;
    options.connectTimeout = timeouts.connect;
    options.totalTimeout = timeouts.idle;
    return options;
}

RequestSettings requestSettingsOf(const SettingsInForce& settings)
{
    RequestSettings request;
    request.proxy = settings.controls().proxy;
    request.source = settings.controls().ComboBoxSorgente;
    request.quoteHost = settings.serviceValue(kServiceHostKey);
    request.web = webSourceEndpointsFromSettings(
        settings.serviceValue(kWebChartUrlKey), settings.serviceValue(kWebExchangeUrlKey),
        settings.serviceValue(kWebCertificatesKey), settings.serviceValue(kWebSearchUrlKey));
    request.settingsFile = settings.settingsFile();
    return request;
}

std::string quoteHostFor(QuoteSource source, std::string_view settingsHost)
{
    if (source == QuoteSource::Demo) {
        if (auto host = parseQuoteServiceHost(settingsHost))
            return std::move(*host);
        return std::string(kDefaultDemoQuoteHost);
    }
    return quoteServiceHostFromSetting(settingsHost);
}

QuoteSourceWorkers::QuoteSourceWorkers(MainThread& mainThread, const SettingsInForce& settings,
                                       HttpTimeouts timeouts, std::shared_ptr<WebSourceMemory> web)
    : m_mainThread(mainThread), m_settings(settings), m_timeouts(timeouts),
      m_web(web ? std::move(web) : std::make_shared<WebSourceMemory>())
{
}

QuoteSourceWorkers::~QuoteSourceWorkers() = default;

std::string QuoteSourceWorkers::requestUrl(std::string_view path) const
{
    const RequestSettings settings = requestSettingsOf(m_settings);
    return "http://" + quoteHostFor(settings.source, settings.quoteHost) + std::string(path);
}

std::unique_ptr<HttpWorker> QuoteSourceWorkers::newWorker()
{
    const RequestSettings settings = requestSettingsOf(m_settings);
    m_web->resolutions.useFile(settings.settingsFile);
    if (settings.source == QuoteSource::Web)
        // The translator shares the web source's lifetime through an aliasing pointer.
        return std::make_unique<WebWorker>(m_mainThread,
                                           std::shared_ptr<WebAnswerTranslator>(m_web, &m_web->translator),
                                           settings.web, webTransportOptions(settings, m_timeouts));
    return std::make_unique<TThreadHttp>(m_mainThread, settings.proxy, m_timeouts);
}

} // namespace listorix
