#include "quoted/QuoteService.h"

#include "base/CaseFold.h"
#include "quoted/ChartPage.h"
#include "quoted/Clock.h"
#include "quoted/CsvAnswer.h"
#include "quoted/Market.h"
#include "quoted/QueryString.h"
#include "retrieval/Base64.h"

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
    if (request.method != "GET" && request.method != "HEAD") {
        HttpResponse response = errorResponse(405, "Only GET and HEAD requests are served.");
        response.extraHeaders.emplace_back("Allow", "GET, HEAD");
        return response;
    }
    if (!proxyAuthorised(request)) {
        HttpResponse response = errorResponse(407, "Proxy credentials are required.");
        response.extraHeaders.emplace_back("Proxy-Authenticate", "Basic realm=\"listorix-quoted\"");
        return response;
    }
    if (const auto failing = m_faults.failingPaths.find(request.path); failing != m_faults.failingPaths.end())
        return errorResponse(failing->second, "This path fails on purpose.");
    if (request.path == "/d/quotes.csv") {
        if (m_faults.htmlError != Faults::HtmlError::None)
            return htmlErrorPage(m_faults.htmlError == Faults::HtmlError::Headless);
        return answerQuotes(request.query);
    }
    if (request.path == "/q/bc")
        return answerChart(request.query);
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
