#include "quoted/QuoteService.h"

#include "base/CaseFold.h"
#include "http/Base64.h"
#include "quoted/ChartPage.h"
#include "quoted/Clock.h"
#include "quoted/CsvAnswer.h"
#include "quoted/ExchangePricesAnswer.h"
#include "quoted/Market.h"
#include "quoted/QueryString.h"
#include "quoted/WebChartAnswer.h"
#include "quoted/WebSearchAnswer.h"

#include <cctype>

namespace listorix::quoted {

namespace {

// The field list a bare quotes request gets.
constexpr std::string_view kDefaultFields = "sl1d1t1c1ohgv";

HttpResponse htmlErrorPage(bool headless)
{
    HttpResponse response;
    response.headless = headless;
    // Every line begins with "<", as the pages of a failing quote service do.
    response.body = "<HTML><HEAD><TITLE>Servizio non disponibile</TITLE></HEAD>\r\n"
                    "<BODY><H1>Servizio momentaneamente non disponibile</H1>\r\n"
                    "<P>Le quotazioni non possono essere fornite in questo momento. Riprovare pi&ugrave; "
                    "tardi.</P>\r\n</BODY></HTML>\r\n";
    return response;
}

// What a web API's host shows a browser before letting it in: a 200 that carries no data.
HttpResponse consentPage()
{
    HttpResponse response;
    response.contentType = "text/html; charset=utf-8";
    response.body =
        "<!DOCTYPE html>\r\n<html lang=\"it\"><head><meta charset=\"utf-8\">"
        "<title>Prima di continuare</title></head>\r\n<body>\r\n"
        "<h1>Prima di continuare</h1>\r\n"
        "<p>Usiamo cookie e dati simili per fornire i nostri servizi. Scegli se accettarli.</p>\r\n"
        "<form method=\"post\" action=\"/consent\"><button name=\"agree\" value=\"agree\">"
        "Accetta tutto</button> <button name=\"reject\" value=\"reject\">Rifiuta tutto</button>"
        "</form>\r\n</body></html>\r\n";
    return response;
}

// The quote service's own web paths (not the exchange's).
bool isQuoteServiceWebPath(std::string_view path)
{
    return path.starts_with(kWebChartPathPrefix) || path == kWebSearchPath;
}

bool isWebApiPath(std::string_view path)
{
    return isQuoteServiceWebPath(path) || path == kExchangePricesPath;
}

// Where the quote service sends a browser from the EU that has no consent cookie:
// its consent host, with the page asked for to come back to.
HttpResponse consentRedirect(const HttpRequest& request)
{
    std::string done = "https://query1.finance.yahoo.com" + request.path;
    if (!request.query.empty())
        done += '?' + request.query;
    std::string encoded;
    constexpr std::string_view kHex = "0123456789ABCDEF";
    for (const char c : done) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 15];
        }
    }
    HttpResponse response;
    response.status = 307;
    response.extraHeaders.emplace_back(
        "Location",
        "https://guce.yahoo.com/consent?brandType=eu&gcrumb=listorix-quoted&lang=it-IT&done=" + encoded);
    return response;
}

// The quote service's edge when it limits a client: a short text, whatever the status.
HttpResponse edgeRateLimit(int status, const std::optional<int>& retryAfter)
{
    HttpResponse response;
    response.status = status;
    response.contentType = "text/plain;charset=utf-8";
    response.body = "Edge: Too Many Requests";
    if (retryAfter)
        response.extraHeaders.emplace_back("Retry-After", std::to_string(*retryAfter));
    return response;
}

} // namespace

QuoteService::QuoteService(const Market& market, const Clock& clock, Faults faults)
    : m_market(market), m_clock(clock), m_faults(std::move(faults))
{
}

bool QuoteService::proxyAuthorised(const HttpRequest& request) const
{
    if (m_faults.proxyCredentials.empty())
        return true;
    const std::string* value = request.header("proxy-authorization");
    if (!value || value->size() < 6 || !equalsIgnoringAsciiCase(value->substr(0, 6), "basic "))
        return false;
    std::string_view encoded = *value;
    encoded.remove_prefix(6);
    while (!encoded.empty() && encoded.front() == ' ')
        encoded.remove_prefix(1);
    const auto decoded = base64Decode(encoded);
    return decoded && *decoded == m_faults.proxyCredentials;
}

HttpResponse QuoteService::answer(const HttpRequest& request) const
{
    // The exchange's chart service is asked by POST, everything else by GET.
    const bool posted = request.path == kExchangePricesPath;
    if (posted ? request.method != "POST" : request.method != "GET" && request.method != "HEAD") {
        HttpResponse response = errorResponse(405, posted ? "This path is served to POST requests only."
                                                          : "Only GET and HEAD requests are served here.");
        response.extraHeaders.emplace_back("Allow", posted ? "POST" : "GET, HEAD");
        return response;
    }
    if (!proxyAuthorised(request)) {
        HttpResponse response = errorResponse(407, "Proxy credentials are required.");
        response.extraHeaders.emplace_back("Proxy-Authenticate", "Basic realm=\"listorix-quoted\"");
        return response;
    }
    if (const int status = m_faults.failingStatus(request.path); status != 0) {
        HttpResponse response = errorResponse(status, "This path fails on purpose.");
        if (m_faults.retryAfterSeconds && (status == 429 || status == 503))
            response.extraHeaders.emplace_back("Retry-After", std::to_string(*m_faults.retryAfterSeconds));
        return response;
    }
    if (isQuoteServiceWebPath(request.path)) {
        if (m_faults.consentRedirect)
            return consentRedirect(request);
        if (m_faults.edgeRateLimitStatus)
            return edgeRateLimit(*m_faults.edgeRateLimitStatus, m_faults.retryAfterSeconds);
    }
    const bool webApi = isWebApiPath(request.path);
    if (webApi && m_faults.consentPage)
        return consentPage();
    if ((webApi || request.path == "/d/quotes.csv") && m_faults.htmlError != Faults::HtmlError::None)
        return htmlErrorPage(m_faults.htmlError == Faults::HtmlError::Headless);
    if (request.path == "/d/quotes.csv")
        return answerQuotes(request.query);
    if (request.path == "/q/bc")
        return answerChart(request.query);
    if (request.path.starts_with(kWebChartPathPrefix)) {
        const std::string_view symbol = std::string_view(request.path).substr(kWebChartPathPrefix.size());
        if (!symbol.empty() && symbol.find('/') == std::string_view::npos)
            return answerWebChart(m_market, m_clock.now(), percentDecode(symbol), request.query, m_faults);
    }
    if (request.path == kWebSearchPath)
        return answerWebSearch(m_market, request.query, m_faults);
    if (posted)
        return answerExchangePrices(m_market, m_clock.now(), request.body, m_faults);
    return errorResponse(404, "No such page on this quote service.");
}

HttpResponse QuoteService::answerQuotes(std::string_view query) const
{
    const auto pairs = splitQuery(query);
    const auto symbols = queryValue(pairs, "s");
    if (!symbols || symbols->empty())
        return errorResponse(400, "The request names no symbol (key s).");
    const auto codes = queryValue(pairs, "f");
    std::string unknownCode;
    const auto fields =
        parseFieldCodes(codes ? percentDecode(*codes) : std::string(kDefaultFields), unknownCode);
    if (!fields)
        return errorResponse(400, "Unknown field code: " + unknownCode);
    if (fields->empty())
        return errorResponse(400, "The request asks for no field (key f).");

    HttpResponse response;
    response.contentType = "text/csv; charset=windows-1252";
    response.body = buildCsvAnswer(m_market, m_clock.now(), splitSymbols(*symbols), *fields);
    return response;
}

HttpResponse QuoteService::answerChart(std::string_view query) const
{
    const auto pairs = splitQuery(query);
    const auto rawSymbol = queryValue(pairs, "s");
    if (!rawSymbol || rawSymbol->empty())
        return errorResponse(400, "Nessun simbolo richiesto (chiave s).");
    const auto periodCode = queryValue(pairs, "t");
    const auto period = chartPeriodFromCode(periodCode ? percentDecode(*periodCode) : std::string("1d"));
    if (!period)
        return errorResponse(400, "Periodo sconosciuto: usare 1d, 5d, 3m, 6m, 1y, 2y o 5y.");

    const std::string symbol = percentDecode(*rawSymbol);
    HttpResponse response;
    if (const Security* security = m_market.find(symbol)) {
        response.body = buildChartPage(m_market, *security, m_clock.now(), *period);
    } else {
        response.status = 404;
        response.body = buildUnknownSymbolPage(symbol);
    }
    return response;
}

} // namespace listorix::quoted
