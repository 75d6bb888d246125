#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace listorix {

class HttpWorker;

// Where the requests of a fetch go: the quote source in force when each request
// starts. The fetch dispatch asks it for the URL of each request entry and for a
// worker to fetch it; QuoteSourceWorkers is the program's, tests hand in fakes.
class RequestSource
{
public:
    virtual ~RequestSource() = default;

    // The absolute URL of a request entry's path ("/d/quotes.csv?s=…") on the
    // quote host of the source in force.
    virtual std::string requestUrl(std::string_view path) const = 0;
    // A created ("suspended") worker for the source and the proxy in force.
    virtual std::unique_ptr<HttpWorker> newWorker() = 0;
};

} // namespace listorix
