#include "QuotedTestSupport.h"
#include "http/Base64.h"
#include "quoted/Clock.h"
#include "quoted/QuoteService.h"

#include <gtest/gtest.h>

namespace listorix::quoted {
namespace {

using testing::at;

HttpRequest request(std::string_view head)
{
    const ParsedHead parsed = parseRequestHead(head, {});
    if (!parsed.request)
        throw std::invalid_argument("bad test request");
    return *parsed.request;
}

HttpResponse ask(const QuoteService& service, std::string_view target, std::string_view extraHeaders = "")
{
    return service.answer(
        request("GET " + std::string(target) + " HTTP/1.0\r\n" + std::string(extraHeaders) + "\r\n"));
}

class QuoteServiceTest : public ::testing::Test
{
protected:
    FixedClock m_clock{at("2005-01-25T15:30")};
    QuoteService m_service{testing::sampleMarket(), m_clock};
};

TEST_F(QuoteServiceTest, theProgramsIndexRequestGetsFourIndexLines)
{
    const HttpResponse response =
        ask(m_service, "/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv");
    EXPECT_EQ(response.status, 200);
    const auto lines = testing::splitLines(response.body);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3].substr(0, 9), "\"^SPMIB\";");
    for (const std::string& line : lines)
        EXPECT_EQ(testing::splitFields(line).size(), 8u);
    // Percent-encoded symbols and a whole-URL (proxy) target get the same bytes.
    EXPECT_EQ(
        ask(m_service, "/d/quotes.csv?s=%5EMIBTEL+%5EMIB30+%5EMIDEX+%5ESPMIB&f=sl1d1t1c1hgp&e=.csv").body,
        response.body);
    EXPECT_EQ(ask(m_service,
                  "http://quotes.example/d/quotes.csv?s=^MIBTEL+^MIB30+^MIDEX+^SPMIB&f=sl1d1t1c1hgp&e=.csv")
                  .body,
              response.body);
}

TEST_F(QuoteServiceTest, badQuoteRequestsAreRefusedWithAnError)
{
    struct Case
    {
        const char* target;
        int status;
    };
    const Case cases[] = {{"/d/quotes.csv?f=snl1", 400},
                          {"/d/quotes.csv?s=&f=snl1", 400},
                          {"/d/quotes.csv", 400},
                          {"/d/quotes.csv?s=ENI.MI&f=snl1x9", 400},
                          {"/d/quotes.csv?s=ENI.MI&f=", 400},
                          {"/", 404},
                          {"/d/quotes.csv/more?s=ENI.MI", 404},
                          {"/D/QUOTES.CSV?s=ENI.MI", 404}};
    for (const Case& c : cases) {
        const HttpResponse response = ask(m_service, c.target);
        EXPECT_EQ(response.status, c.status) << c.target;
        EXPECT_EQ(response.body.substr(0, 6), "<html>") << c.target;
    }
    EXPECT_NE(ask(m_service, "/d/quotes.csv?s=ENI.MI&f=snl1x9").body.find("Unknown field code: x9"),
              std::string::npos);
    EXPECT_EQ(m_service.answer(request("POST /d/quotes.csv?s=ENI.MI HTTP/1.0\r\n\r\n")).status, 405);
    // Without a field list the usual default fields are answered.
    EXPECT_EQ(testing::splitFields(ask(m_service, "/d/quotes.csv?s=ENI.MI").body).size(), 9u);
}

TEST_F(QuoteServiceTest, chartPagesExistForEveryPeriod)
{
    for (const char* period : {"1d", "5d", "3m", "6m", "1y", "2y", "5y"}) {
        const HttpResponse response = ask(m_service, std::string("/q/bc?s=ENI.MI&t=") + period);
        EXPECT_EQ(response.status, 200) << period;
        EXPECT_EQ(response.contentType.substr(0, 9), "text/html");
        const std::string& page = response.body;
        EXPECT_NE(page.find("<title>ENI (ENI.MI) - Grafico "), std::string::npos) << period;
        EXPECT_NE(page.find("Ultimo: <b class=\"last\">11,688</b>"), std::string::npos) << period;
        EXPECT_NE(page.find("<svg"), std::string::npos) << period;
        EXPECT_NE(page.find("<polyline"), std::string::npos) << period;
        EXPECT_NE(page.find("inventati"), std::string::npos) << period;
        // Links to the other periods, not to this one.
        EXPECT_EQ(page.find(std::string("t=") + period + "\""), std::string::npos) << period;
    }
    const std::string fund = ask(m_service, "/q/bc?s=IT0004389109.MI&t=1y").body;
    EXPECT_NE(fund.find("Ultima quota: <b class=\"last\">7,982</b> del 24/01/2005"), std::string::npos);
    const std::string index = ask(m_service, "/q/bc?s=%5EMIBTEL").body; // the period defaults to one day
    EXPECT_NE(index.find("<b>1 giorno</b>"), std::string::npos);
    EXPECT_NE(index.find("30.697,56"), std::string::npos);
}

TEST_F(QuoteServiceTest, chartRequestsForUnknownSymbolsOrPeriodsSaySo)
{
    const HttpResponse unknown = ask(m_service, "/q/bc?s=%3Cb%3EX&t=1d");
    EXPECT_EQ(unknown.status, 404);
    EXPECT_NE(unknown.body.find("Titolo sconosciuto"), std::string::npos);
    EXPECT_NE(unknown.body.find("&laquo;&lt;b&gt;X&raquo;"), std::string::npos); // escaped, never markup
    EXPECT_EQ(ask(m_service, "/q/bc?s=ENI.MI&t=7w").status, 400);
    EXPECT_EQ(ask(m_service, "/q/bc?t=1d").status, 400);
}

TEST(QuoteServiceFaults, failingPathsHtmlErrorsAndProxyCredentials)
{
    const FixedClock clock(at("2005-01-25T15:30"));
    const std::string quotes = "/d/quotes.csv?s=ENI.MI&f=snl1";

    Faults failing;
    failing.failingPaths["/d/quotes.csv"] = 503;
    const QuoteService failingService(testing::sampleMarket(), clock, failing);
    EXPECT_EQ(ask(failingService, quotes).status, 503);
    EXPECT_EQ(ask(failingService, "/q/bc?s=ENI.MI").status, 200);

    Faults html;
    html.htmlError = Faults::HtmlError::Page;
    const QuoteService htmlService(testing::sampleMarket(), clock, html);
    const HttpResponse page = ask(htmlService, quotes);
    EXPECT_EQ(page.status, 200);
    EXPECT_FALSE(page.headless);
    for (const std::string& line : testing::splitLines(page.body))
        EXPECT_EQ(line.front(), '<') << line; // nothing a quote parser would take for a quote
    html.htmlError = Faults::HtmlError::Headless;
    const QuoteService headlessService(testing::sampleMarket(), clock, html);
    const HttpResponse headless = ask(headlessService, quotes);
    EXPECT_TRUE(headless.headless);
    EXPECT_EQ(headless.serialize().substr(0, 6), "<HTML>");

    Faults proxy;
    proxy.proxyCredentials = "mario:segreta";
    const QuoteService proxyService(testing::sampleMarket(), clock, proxy);
    const std::string absolute = "http://quotes.example" + quotes;
    const HttpResponse challenge = ask(proxyService, absolute);
    EXPECT_EQ(challenge.status, 407);
    ASSERT_EQ(challenge.extraHeaders.size(), 1u);
    EXPECT_EQ(challenge.extraHeaders[0].first, "Proxy-Authenticate");
    EXPECT_EQ(challenge.extraHeaders[0].second.substr(0, 6), "Basic ");
    for (const std::string& wrong : {"Basic " + base64Encode("mario:sbagliata"), std::string("Basic !!!!"),
                                     "Digest " + base64Encode("mario:segreta")})
        EXPECT_EQ(ask(proxyService, absolute, "Proxy-Authorization: " + wrong + "\r\n").status, 407) << wrong;
    const HttpResponse accepted =
        ask(proxyService, absolute, "Proxy-Authorization: Basic " + base64Encode("mario:segreta") + "\r\n");
    EXPECT_EQ(accepted.status, 200);
    EXPECT_EQ(accepted.body.substr(0, 15), "\"ENI.MI\";\"ENI\";");
}

HttpResponse post(const QuoteService& service, std::string_view path, std::string_view body)
{
    HttpRequest posted = request("POST " + std::string(path) + " HTTP/1.0\r\n\r\n");
    posted.body = body;
    return service.answer(posted);
}

// The web API's two forms: the chart API by GET, the exchange's chart service by POST
// (each refusing the other method), and the faults that web sources show.
TEST(QuoteServiceFaults, theWebFormsAnswerAndFailOnDemand)
{
    const FixedClock clock(at("2005-01-25T15:30"));
    const std::string chart = "/v8/finance/chart/ENI.MI?range=1d&interval=1d";
    const std::string exchange = "/charts/services/ChartWService.asmx/GetPricesWithVolume";
    const std::string bond = R"({"Key":"IT0005026163.MOT","SampleTime":"1d","TimeFrame":"1m"})";

    const QuoteService plain(testing::sampleMarket(), clock);
    EXPECT_EQ(ask(plain, chart).status, 200);
    EXPECT_EQ(ask(plain, "/v8/finance/chart/%5EMIB30").status, 404);
    EXPECT_EQ(ask(plain, "/v8/finance/chart/").status, 404);
    EXPECT_EQ(post(plain, exchange, bond).body.substr(0, 7), "{\"d\":[[");
    const HttpResponse gotten = ask(plain, exchange);
    EXPECT_EQ(gotten.status, 405);
    EXPECT_EQ(gotten.extraHeaders, (decltype(gotten.extraHeaders){{"Allow", "POST"}}));
    EXPECT_EQ(post(plain, "/v8/finance/chart/ENI.MI", "").status, 405);

    Faults limited;
    limited.failingPaths["/v8/finance/chart/"] = 429;
    limited.failingPaths[exchange] = 503;
    limited.retryAfterSeconds = 120;
    const QuoteService limitedService(testing::sampleMarket(), clock, limited);
    for (const HttpResponse& response : {ask(limitedService, chart), post(limitedService, exchange, bond)}) {
        EXPECT_TRUE(response.status == 429 || response.status == 503) << response.status;
        EXPECT_EQ(response.extraHeaders, (decltype(response.extraHeaders){{"Retry-After", "120"}}));
    }
    EXPECT_EQ(ask(limitedService, "/d/quotes.csv?s=ENI.MI").status, 200);

    Faults consent;
    consent.consentPage = true;
    const QuoteService consentService(testing::sampleMarket(), clock, consent);
    Faults html;
    html.htmlError = Faults::HtmlError::Page;
    const QuoteService htmlService(testing::sampleMarket(), clock, html);
    for (const QuoteService* service : {&consentService, &htmlService}) {
        for (const HttpResponse& response : {ask(*service, chart), post(*service, exchange, bond)}) {
            EXPECT_EQ(response.status, 200);
            EXPECT_EQ(response.contentType.substr(0, 9), "text/html");
            EXPECT_EQ(response.body.front(), '<');
        }
    }
    EXPECT_NE(ask(consentService, chart).body.find("Prima di continuare"), std::string::npos);
    EXPECT_EQ(ask(consentService, "/d/quotes.csv?s=ENI.MI").contentType.substr(0, 8), "text/csv");
}

// The refusals of the quote service's own web paths, the chart and the search, as it
// sends them; the exchange's service and the CSV answers are not its.
TEST(QuoteServiceFaults, theQuoteServicesWebPathsRedirectToConsentOrRefuseAtTheEdgeOnDemand)
{
    const FixedClock clock(at("2005-01-25T15:30"));
    const std::string chart = "/v8/finance/chart/ENI.MI?range=1d&interval=1d";
    const std::string search = "/v1/finance/search?q=IT0004389109&quotesCount=1&newsCount=0";
    const std::string exchange = "/charts/services/ChartWService.asmx/GetPricesWithVolume";
    const std::string bond = R"({"Key":"IT0005026163.MOT","SampleTime":"1d","TimeFrame":"1m"})";

    Faults consent;
    consent.consentRedirect = true;
    const QuoteService consentService(testing::sampleMarket(), clock, consent);
    for (const std::string& target : {chart, search}) {
        const HttpResponse response = ask(consentService, target);
        EXPECT_EQ(response.status, 307);
        ASSERT_EQ(response.extraHeaders.size(), 1u);
        EXPECT_EQ(response.extraHeaders[0].first, "Location");
        EXPECT_EQ(response.extraHeaders[0].second.rfind("https://guce.yahoo.com/consent?", 0), 0u);
        EXPECT_NE(response.extraHeaders[0].second.find("done=https%3A%2F%2Fquery1.finance.yahoo.com%2Fv"),
                  std::string::npos);
        EXPECT_EQ(response.serialize().rfind("HTTP/1.0 307 Temporary Redirect\r\n", 0), 0u);
    }
    EXPECT_EQ(post(consentService, exchange, bond).status, 200);

    for (const int status : {429, 200}) {
        Faults edge;
        edge.edgeRateLimitStatus = status;
        const QuoteService edgeService(testing::sampleMarket(), clock, edge);
        for (const std::string& target : {chart, search}) {
            const HttpResponse response = ask(edgeService, target);
            EXPECT_EQ(response.status, status);
            EXPECT_EQ(response.body, "Edge: Too Many Requests");
        }
        EXPECT_EQ(post(edgeService, exchange, bond).body.substr(0, 7), "{\"d\":[[");
        EXPECT_EQ(ask(edgeService, "/d/quotes.csv?s=ENI.MI").status, 200);
    }
}

TEST(HttpResponse, serializesAnHttp10AnswerThatClosesTheConnection)
{
    HttpResponse response;
    response.contentType = "text/csv";
    response.body = "a\r\n";
    response.extraHeaders.emplace_back("X-Test", "1");
    EXPECT_EQ(response.serialize(), "HTTP/1.0 200 OK\r\nServer: listorix-quoted\r\nContent-Type: text/csv\r\n"
                                    "Content-Length: 3\r\nConnection: close\r\nX-Test: 1\r\n\r\na\r\n");
    EXPECT_EQ(response.serialize(false).size(), response.serialize().size() - 3);
    EXPECT_EQ(errorResponse(414, "x").serialize().substr(0, 22), "HTTP/1.0 414 URI Too L");
}

} // namespace
} // namespace listorix::quoted
