#include "websource/WebRequestRound.h"

#include "websource/StopSignal.h"
#include "websource/WebAnswerDecoder.h"
#include "websource/WebSourceGuards.h"

namespace listorix {

WebRequestRound::WebRequestRound(WebSourceGuards& guards, WebTransport& transport, const StopSignal& stop)
    : m_guards(guards), m_transport(transport), m_stop(stop)
{
}

std::optional<WebResponse> WebRequestRound::send(const WebRequest& request, WebHost host)
{
    if (m_stopped || m_rateLimited || unreachable(host))
        return std::nullopt;
    // Another user of the source may have met a rate limit meanwhile.
    if (m_guards.restingUntil()) {
        m_rateLimited = true;
        return std::nullopt;
    }
    if (!m_guards.waitForTurn(m_stop)) {
        m_stopped = true;
        return std::nullopt;
    }

    WebResponse response = m_transport.perform(request);
    switch (responseFault(response)) {
    case WebAnswerFault::NoAnswer:
        // A stop ends the transfer without an answer; otherwise the host is out of
        // reach and the other requests would only wait for it too.
        if (m_stop.stopped())
            m_stopped = true;
        else
            m_down[static_cast<std::size_t>(host)] = true;
        break;
    case WebAnswerFault::RateLimited:
        m_rateLimited = true;
        m_guards.rateLimited(response.retryAfterSeconds);
        break;
    case WebAnswerFault::ConsentRequired:
        m_consentRequired = true;
        break;
    default:
        break;
    }
    return response;
}

} // namespace listorix
