#pragma once

#include "quoted/Faults.h"
#include "quoted/HttpRequest.h"
#include "quoted/HttpResponse.h"

#include <string_view>

namespace listorix::quoted {

class Clock;
class Market;

// What the service answers to one request, whatever the connection it came on:
// "/d/quotes.csv" (quotes as CSV lines), "/q/bc" (a chart page), the web chart API
// ("/v8/finance/chart/SYMBOL", JSON), the quote service's search ("/v1/finance/search",
// JSON), the exchange's chart service (a POST to kExchangePricesPath, JSON), and 404
// for anything else. A request whose target is a
// whole URL (sent to a proxy) is answered the same way.
class QuoteService final
{
public:
    QuoteService(const Market& market, const Clock& clock, Faults faults = {});

    HttpResponse answer(const HttpRequest& request) const;

    const Faults& faults() const { return m_faults; }

private:
    HttpResponse answerQuotes(std::string_view query) const;
    HttpResponse answerChart(std::string_view query) const;
    bool proxyAuthorised(const HttpRequest& request) const;

    const Market& m_market;
    const Clock& m_clock;
    Faults m_faults;
};

} // namespace listorix::quoted
