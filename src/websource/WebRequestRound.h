#pragma once

#include "websource/WebTransport.h"

#include <array>
#include <optional>

namespace listorix {

class StopSignal;
class WebSourceGuards;

// The three hosts the web source asks.
enum class WebHost
{
    Chart,    // the quote service's chart endpoint
    Exchange, // the exchange's chart service
    Search,   // the quote service's search
};

// One round of requests to the web source (a quote cycle, a chart page): each
// request in its turn under the run's guards, and what the round has met so far.
// A rate limit rests the whole source and ends the round; a host out of reach is
// not asked again in the round; a stop ends it.
class WebRequestRound final
{
public:
    WebRequestRound(WebSourceGuards& guards, WebTransport& transport, const StopSignal& stop);

    // The answer, or nothing when the round may ask no more of that host.
    std::optional<WebResponse> send(const WebRequest& request, WebHost host);

    bool stopped() const { return m_stopped; }
    bool rateLimited() const { return m_rateLimited; }
    bool consentRequired() const { return m_consentRequired; }
    bool unreachable(WebHost host) const { return m_down[static_cast<std::size_t>(host)]; }

private:
    WebSourceGuards& m_guards;
    WebTransport& m_transport;
    const StopSignal& m_stop;
    bool m_stopped = false;
    bool m_rateLimited = false;
    bool m_consentRequired = false;
    std::array<bool, 3> m_down{};
};

} // namespace listorix
