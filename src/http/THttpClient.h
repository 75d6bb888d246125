#pragma once

#include "http/HttpAnswerParser.h"
#include "http/Socket.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace listorix {

class CloseSignal;
struct HttpUrl;

// The program's HTTP client: one synchronous GET of URL into a receive stream,
// directly or through a proxy, following relocations and answering Basic
// challenges once. It runs on the thread that calls Get; the one call allowed
// from another thread is Close (or close() on the handle from closeSignal()).
class THttpClient final
{
public:
    THttpClient();
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    // Returns when the request has ended. Raises EHttpError when the final status
    // is 400 or more (except 401 and 407), and when the request fails on the way.
    void Get();
    // Any thread: ends the pending Get at once, which then returns what arrived,
    // and returns when it has. A Close before Get starts ends that Get at once.
    void Close();
    // A handle to Close with that stays valid after the client is gone.
    std::shared_ptr<CloseSignal> closeSignal() const { return m_closeSignal; }

    const std::string& URL() const { return m_url; }
    void setURL(std::string url) { m_url = std::move(url); }
    const std::string& Proxy() const { return m_proxy; }
    void setProxy(std::string proxy) { m_proxy = std::move(proxy); }
    const std::string& ProxyPort() const { return m_proxyPort; }
    void setProxyPort(std::string port) { m_proxyPort = std::move(port); }
    const std::string& ProxyUsername() const { return m_proxyUsername; }
    void setProxyUsername(std::string name) { m_proxyUsername = std::move(name); }
    const std::string& ProxyPassword() const { return m_proxyPassword; }
    void setProxyPassword(std::string password) { m_proxyPassword = std::move(password); }
    const std::string& Username() const { return m_username; }
    void setUsername(std::string name) { m_username = std::move(name); }
    const std::string& Password() const { return m_password; }
    void setPassword(std::string password) { m_password = std::move(password); }
    const std::string& Agent() const { return m_agent; }
    void setAgent(std::string agent) { m_agent = std::move(agent); }
    const std::string& Accept() const { return m_accept; }
    void setAccept(std::string accept) { m_accept = std::move(accept); }
    bool NoCache() const { return m_noCache; }
    void setNoCache(bool noCache) { m_noCache = noCache; }
    const std::string& RequestVer() const { return m_requestVer; }
    // Takes "1.0" or "1.1"; throws std::invalid_argument("Unsupported HTTP version") otherwise.
    void setRequestVer(const std::string& version);
    bool FollowRelocation() const { return m_followRelocation; }
    void setFollowRelocation(bool follow) { m_followRelocation = follow; }
    const std::string& LocalAddr() const { return m_localAddr; }
    void setLocalAddr(std::string address) { m_localAddr = std::move(address); }
    // Kept for the worker's set-up: the client always serves its socket on the
    // thread that waits in Get, so the flag changes nothing.
    bool MultiThreaded() const { return m_multiThreaded; }
    void setMultiThreaded(bool multiThreaded) { m_multiThreaded = multiThreaded; }
    const std::string& Name() const { return m_name; }
    void setName(std::string name) { m_name = std::move(name); }
    // Where the body goes; not owned, must outlive Get. None: the body is dropped.
    void setReceiveStream(std::string* stream) { m_stream = stream; }

    // Bounds, shortened by tests.
    void setConnectTimeout(std::chrono::milliseconds timeout) { m_connectTimeout = timeout; }
    void setIdleTimeout(std::chrono::milliseconds timeout) { m_idleTimeout = timeout; }
    // The whole of one Get, relocations included: a server that sends a byte now
    // and then never lets the idle timeout fire.
    void setRequestTimeout(std::chrono::milliseconds timeout) { m_requestTimeout = timeout; }
    void setMaxBodySize(std::size_t bytes) { m_limits.maxBodyBytes = bytes; }

    // The answer of the last request.
    int statusCode() const { return m_statusCode; }
    const std::string& reasonPhrase() const { return m_reasonPhrase; }
    const std::string& responseVersion() const { return m_responseVersion; }
    std::int64_t contentLength() const { return m_contentLength; }
    const std::string& contentType() const { return m_contentType; }
    const std::string& transferEncoding() const { return m_transferEncoding; }
    const std::vector<std::string>& headerLines() const { return m_headerLines; }

    static constexpr int kMaxRelocations = 10;

private:
    enum class ReadEnd
    {
        Answered,
        Stopped,
    };

    void run(std::string& stream);
    bool connectTo(const std::string& host, const std::string& port);
    ReadEnd readAnswer(HttpAnswerParser& parser);
    std::chrono::milliseconds withinDeadline(std::chrono::milliseconds wait) const;
    std::string requestBytes(const HttpUrl& url, bool viaProxy, bool withAuth, bool withProxyAuth) const;
    void takeHead(const AnswerHead& head);
    void endStopped(HttpAnswerParser& parser, std::string& stream, std::size_t answerStart);
    [[noreturn]] void fail(const std::string& message, int statusCode);
    [[noreturn]] void failAnswer(AnswerError error);

    std::string m_url;
    std::string m_proxy;
    std::string m_proxyPort = "80";
    std::string m_proxyUsername;
    std::string m_proxyPassword;
    std::string m_username;
    std::string m_password;
    std::string m_agent = "Mozilla/4.0 (compatible; Listorix)";
    std::string m_accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    bool m_noCache = false;
    std::string m_requestVer = "1.0";
    bool m_followRelocation = true;
    std::string m_localAddr = "0.0.0.0";
    bool m_multiThreaded = false;
    std::string m_name = "HttpCli1";
    std::string* m_stream = nullptr;

    std::chrono::milliseconds m_connectTimeout{30000};
    std::chrono::milliseconds m_idleTimeout{60000};
    std::chrono::milliseconds m_requestTimeout{std::chrono::minutes(5)};
    std::chrono::steady_clock::time_point m_deadline; // of the running Get
    AnswerLimits m_limits;

    int m_statusCode = 0;
    std::string m_reasonPhrase;
    std::string m_responseVersion;
    std::int64_t m_contentLength = -1;
    std::string m_contentType;
    std::string m_transferEncoding;
    std::vector<std::string> m_headerLines;

    std::shared_ptr<CloseSignal> m_closeSignal;
    Socket m_socket;
    std::string m_connectedTo; // host and port m_socket is connected to
    std::vector<char> m_buffer;
};

} // namespace listorix
