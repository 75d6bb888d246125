#pragma once

// A fake web source for the web source's tests: it answers each symbol from a
// script and records what was asked and when, on a clock of the test's.

#include "base/LoopClock.h"
#include "websource/WallClock.h"
#include "websource/WebTransport.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace listorix::test {

inline WebResponse jsonAnswer(std::string body)
{
    WebResponse response;
    response.answered = true;
    response.status = 200;
    response.contentType = "application/json;charset=utf-8";
    response.body = std::move(body);
    return response;
}

inline WebResponse pageAnswer(long status, std::string contentType, std::string body,
                              std::optional<std::int64_t> retryAfter = std::nullopt)
{
    WebResponse response;
    response.answered = true;
    response.status = status;
    response.contentType = std::move(contentType);
    response.body = std::move(body);
    response.retryAfterSeconds = retryAfter;
    return response;
}

// A redirection, which the transport reports and never follows.
inline WebResponse redirectAnswer(long status, std::string location)
{
    WebResponse response = pageAnswer(status, "text/html", "");
    response.location = std::move(location);
    return response;
}

inline WebResponse noAnswer()
{
    WebResponse response;
    response.error = "Couldn't connect to server";
    return response;
}

// The chart endpoint's answer with the given members of "meta" and, when given,
// the opening prices of "indicators.quote[0].open".
inline std::string chartJson(const std::string& meta, const std::string& opens = "")
{
    std::string result = "{\"meta\":{" + meta + "}";
    if (!opens.empty())
        result += ",\"indicators\":{\"quote\":[{\"open\":" + opens + "}]}";
    return "{\"chart\":{\"result\":[" + result + "}],\"error\":null}}";
}

// The search's answer: one quote with that symbol, or none found.
inline std::string searchJson(const std::string& symbol = "")
{
    const std::string quotes =
        symbol.empty() ? ""
                       : "{\"exchange\":\"MIL\",\"shortname\":\"Fondo\",\"quoteType\":\"MUTUALFUND\","
                         "\"symbol\":\"" +
                             symbol + "\",\"index\":\"quotes\",\"isYahooFinance\":true}";
    return "{\"explains\":[],\"count\":" + std::string(symbol.empty() ? "0" : "1") + ",\"quotes\":[" +
           quotes + "],\"news\":[]}";
}

// A wall clock the test sets.
class FakeWallClock final : public WallClock
{
public:
    std::int64_t nowSeconds() const override { return seconds; }
    std::int64_t seconds = 1736928300; // 15 January 2025, 9:05 in Milan
};

class FakeWebSource final : public WebTransport
{
public:
    struct Asked
    {
        // The chart symbol, the exchange's key ("<ISIN>.MOT") or the search's
        // ("search:<ISIN>").
        std::string key;
        WebRequest request;
        LoopClock::TimePoint at;
    };

    explicit FakeWebSource(const LoopClock& clock) : m_clock(clock) {}

    // Answers for `key`, one per request; the last one answers every request after.
    void script(const std::string& key, std::vector<WebResponse> answers)
    {
        m_answers[key] = std::deque<WebResponse>(answers.begin(), answers.end());
    }

    WebResponse perform(const WebRequest& request) override
    {
        const std::string key = keyOf(request);
        asked.push_back({key, request, m_clock.now()});
        auto it = m_answers.find(key);
        if (it == m_answers.end() || it->second.empty())
            return pageAnswer(404, "application/json",
                              "{\"chart\":{\"result\":null,\"error\":{\"code\":\"Not Found\"}}}");
        WebResponse answer = it->second.front();
        if (it->second.size() > 1)
            it->second.pop_front();
        return answer;
    }

    std::vector<std::string> askedKeys() const
    {
        std::vector<std::string> keys;
        for (const Asked& a : asked)
            keys.push_back(a.key);
        return keys;
    }

    std::vector<Asked> asked;

private:
    static std::string keyOf(const WebRequest& request)
    {
        if (!request.jsonBody.empty()) {
            const std::string marker = "\"Key\":\"";
            const auto start = request.jsonBody.find(marker);
            if (start == std::string::npos)
                return {};
            const auto end = request.jsonBody.find('"', start + marker.size());
            return request.jsonBody.substr(start + marker.size(), end - start - marker.size());
        }
        const std::string search = "/v1/finance/search?q=";
        if (const auto at = request.url.find(search); at != std::string::npos) {
            const auto end = request.url.find('&', at);
            return "search:" + request.url.substr(at + search.size(), end - at - search.size());
        }
        const std::string marker = "/v8/finance/chart/";
        const auto start = request.url.find(marker);
        if (start == std::string::npos)
            return {};
        const auto end = request.url.find('?', start);
        return request.url.substr(start + marker.size(), end - start - marker.size());
    }

    const LoopClock& m_clock;
    std::map<std::string, std::deque<WebResponse>> m_answers;
};

} // namespace listorix::test
