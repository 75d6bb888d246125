#include "http/THttpClient.h"

#include "base/CaseFold.h"
#include "base/Digits.h"
#include "base/PosixIo.h"
#include "http/AddressList.h"
#include "http/Base64.h"
#include "http/CloseSignal.h"
#include "http/EHttpError.h"
#include "http/HttpUrl.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace listorix {

namespace {

constexpr std::size_t kReceiveChunk = 64 * 1024;

std::string socketError(int error)
{
    return errnoText(error) + " (Error #" + std::to_string(error) + ")";
}

bool validPort(const std::string& port)
{
    const auto value = parseDigits(port, 5);
    return value && *value > 0 && *value <= 65535;
}

bool hasBasicChallenge(const std::vector<std::string>& challenges)
{
    return std::any_of(challenges.begin(), challenges.end(), [](const std::string& c) {
        return equalsIgnoringAsciiCase(std::string_view(c).substr(0, 5), "basic");
    });
}

// Origin credentials belong to the host and port of the URL they were given for.
bool sameOrigin(const HttpUrl& a, const HttpUrl& b)
{
    return equalsIgnoringAsciiCase(a.hostName(), b.hostName()) && a.portOr("80") == b.portOr("80");
}

struct RunGuard
{
    CloseSignal& signal;
    Socket& socket;
    ~RunGuard()
    {
        socket.close();
        signal.end();
    }
};

} // namespace

THttpClient::THttpClient() : m_closeSignal(std::make_shared<CloseSignal>()) {}

THttpClient::~THttpClient() = default;

void THttpClient::setRequestVer(const std::string& version)
{
    if (version != "1.0" && version != "1.1")
        throw std::invalid_argument("Unsupported HTTP version");
    m_requestVer = version;
}

void THttpClient::Close()
{
    m_closeSignal->close();
}

void THttpClient::Get()
{
    if (!m_closeSignal->tryBegin())
        throw EHttpError("HTTP component " + m_name + " is busy", 0);
    RunGuard guard{*m_closeSignal, m_socket};
    m_statusCode = 0;
    m_reasonPhrase.clear();
    m_responseVersion.clear();
    m_contentLength = -1;
    m_contentType.clear();
    m_transferEncoding.clear();
    m_headerLines.clear();
    m_connectedTo.clear();
    m_buffer.resize(kReceiveChunk);
    m_deadline = std::chrono::steady_clock::now() + m_requestTimeout;
    std::string discarded;
    run(m_stream != nullptr ? *m_stream : discarded);
}

void THttpClient::fail(const std::string& message, int statusCode)
{
    m_socket.close();
    throw EHttpError(message, statusCode);
}

void THttpClient::failAnswer(AnswerError error)
{
    switch (error) {
    case AnswerError::HeaderTooLarge:
        fail("Intestazione della risposta troppo grande: " + m_url, m_statusCode);
    case AnswerError::BadContentLength:
        fail("Content-Length non valido: " + m_url, m_statusCode);
    case AnswerError::BadChunk:
        fail("Blocco chunked non valido: " + m_url, m_statusCode);
    case AnswerError::BodyTooLarge:
        fail("Risposta troppo grande: " + m_url, m_statusCode);
    case AnswerError::Incomplete:
    case AnswerError::None:
        break;
    }
    fail("Risposta incompleta: " + m_url, m_statusCode);
}

void THttpClient::takeHead(const AnswerHead& head)
{
    m_statusCode = head.statusCode;
    m_reasonPhrase = head.reasonPhrase;
    m_responseVersion = head.version;
    m_contentLength = head.contentLength;
    m_contentType = head.contentType;
    m_transferEncoding = head.transferEncoding;
    m_headerLines = head.lines;
}

bool THttpClient::connectTo(const std::string& host, const std::string& port)
{
    if (!validPort(port))
        fail("can't connect: " + socketError(EINVAL), 404);
    AddressList addresses;
    const int resolved = host.empty() ? EAI_NONAME : addresses.resolve(host, port);
    if (resolved == EAI_SYSTEM || resolved == EAI_MEMORY)
        fail(::gai_strerror(resolved), 404);
    if (resolved != 0)
        fail("can't resolve hostname to IP address", 404);
    if (m_closeSignal->closeRequested())
        return false;
    AddressList local;
    if (!m_localAddr.empty() && m_localAddr != "0.0.0.0" && local.resolve(m_localAddr, "0", true) != 0)
        fail("can't connect: " + socketError(EADDRNOTAVAIL), 404);
    const IoStatus status = m_socket.connect(addresses.first(), local.first(), m_closeSignal->wakeFd(),
                                             withinDeadline(m_connectTimeout));
    if (status == IoStatus::Woken)
        return false;
    if (status != IoStatus::Ok)
        fail((m_socket.failedAtStart() ? "can't connect: " : "") + socketError(m_socket.error()), 404);
    m_connectedTo = host + ' ' + port;
    return true;
}

std::string THttpClient::requestBytes(const HttpUrl& url, bool viaProxy, bool withAuth,
                                      bool withProxyAuth) const
{
    std::string request = "GET " + (viaProxy ? url.absolute() : url.path) + " HTTP/" + m_requestVer + "\r\n";
    request += "Accept: " + m_accept + "\r\n";
    request += "User-Agent: " + m_agent + "\r\n";
    request += "Host: " + url.hostLine() + "\r\n";
    if (m_noCache)
        request += "Pragma: no-cache\r\n";
    if (withProxyAuth)
        request +=
            "Proxy-Authorization: Basic " + base64Encode(m_proxyUsername + ':' + m_proxyPassword) + "\r\n";
    if (withAuth)
        request += "Authorization: Basic " + base64Encode(m_username + ':' + m_password) + "\r\n";
    request += "\r\n";
    return request;
}

std::chrono::milliseconds THttpClient::withinDeadline(std::chrono::milliseconds wait) const
{
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(m_deadline - std::chrono::steady_clock::now());
    return std::clamp(left, std::chrono::milliseconds(0), wait);
}

THttpClient::ReadEnd THttpClient::readAnswer(HttpAnswerParser& parser)
{
    const int wakeFd = m_closeSignal->wakeFd();
    while (parser.wantsMore()) {
        if (m_closeSignal->closeRequested())
            return ReadEnd::Stopped;
        const std::chrono::milliseconds wait = withinDeadline(m_idleTimeout);
        std::size_t received = 0;
        const IoStatus status =
            wait.count() > 0 ? m_socket.receive(m_buffer.data(), m_buffer.size(), received, wakeFd, wait)
                             : IoStatus::TimedOut;
        switch (status) {
        case IoStatus::Ok:
            parser.feed(std::string_view(m_buffer.data(), received));
            break;
        case IoStatus::Closed:
            m_socket.close();
            parser.finishAtClose();
            break;
        case IoStatus::Woken:
            return ReadEnd::Stopped;
        case IoStatus::TimedOut:
            takeHead(parser.head());
            fail("Tempo di risposta scaduto: " + m_url, m_statusCode);
        case IoStatus::Failed:
            takeHead(parser.head());
            fail(socketError(m_socket.error()), m_statusCode);
        }
    }
    return ReadEnd::Answered;
}

void THttpClient::endStopped(HttpAnswerParser& parser, std::string& stream, std::size_t answerStart)
{
    // What has already arrived belongs to the answer; what is still on its way does not.
    if (parser.wantsMore() && m_socket.isOpen()) {
        std::size_t pending = m_socket.pending();
        while (pending > 0 && parser.wantsMore()) {
            std::size_t received = 0;
            if (m_socket.receive(m_buffer.data(), std::min(pending, m_buffer.size()), received, -1,
                                 std::chrono::milliseconds(0)) != IoStatus::Ok)
                break;
            parser.feed(std::string_view(m_buffer.data(), received));
            pending -= std::min(pending, received);
        }
    }
    m_socket.close();
    takeHead(parser.head());
    if (!parser.head().hasStatusLine) {
        m_statusCode = 200;
        m_reasonPhrase = "OK";
    }
    // An answer that was only a pointer elsewhere is no part of the result.
    if (m_followRelocation && !parser.head().location.empty())
        stream.resize(answerStart);
    if (m_statusCode >= 400 && m_statusCode != 401 && m_statusCode != 407)
        throw EHttpError(m_reasonPhrase, m_statusCode);
}

void THttpClient::run(std::string& stream)
{
    HttpUrl url = parseHttpUrl(m_url);
    if (!url.username.empty() || !url.password.empty()) {
        m_username = url.username;
        m_password = url.password;
    }
    const HttpUrl origin = url;
    const bool viaProxy = !m_proxy.empty();
    const HttpUrl proxy = parseHttpUrl(m_proxy);
    const bool closeByDefault = m_requestVer == "1.0";
    bool sendAuth = false;
    bool sendProxyAuth = false;
    int relocations = 0;

    for (;;) {
        if (!url.isHttp()) {
            m_statusCode = 501;
            m_reasonPhrase = "Protocol \"" + url.protocol + "\" not implemented";
            fail(m_reasonPhrase, m_statusCode);
        }
        const std::size_t answerStart = stream.size();
        HttpAnswerParser parser(stream, m_limits, closeByDefault);

        const std::string host = viaProxy ? proxy.hostName() : url.hostName();
        const std::string port = viaProxy ? proxy.portOr(m_proxyPort) : url.portOr("80");
        const bool reused = m_socket.isOpen() && m_connectedTo == host + ' ' + port;
        if (!reused) {
            m_socket.close();
            if (!connectTo(host, port)) {
                endStopped(parser, stream, answerStart);
                return;
            }
        }
        const std::string request =
            requestBytes(url, viaProxy, sendAuth && sameOrigin(url, origin), sendProxyAuth);
        // A server that shuts the door on the request may still have answered: read what came.
        if (m_socket.sendAll(request, m_closeSignal->wakeFd(), withinDeadline(m_idleTimeout)) ==
                IoStatus::Woken ||
            readAnswer(parser) == ReadEnd::Stopped) {
            endStopped(parser, stream, answerStart);
            return;
        }
        if (reused && !parser.receivedAnything()) {
            // The server dropped the kept connection meanwhile: ask again on a new one.
            m_socket.close();
            continue;
        }
        takeHead(parser.head());
        if (parser.error() != AnswerError::None)
            failAnswer(parser.error());
        if (parser.head().closeConnection)
            m_socket.close();

        const AnswerHead& head = parser.head();
        if (m_followRelocation && !head.location.empty()) {
            if (++relocations > kMaxRelocations)
                fail("Troppi reindirizzamenti: " + m_url, m_statusCode);
            std::optional<HttpUrl> next = resolveLocation(url, head.location);
            if (!next)
                fail("Reindirizzamento non valido: " + m_url, m_statusCode);
            stream.resize(answerStart);
            url = *std::move(next);
            continue;
        }
        if (m_statusCode == 401 && !sendAuth && hasBasicChallenge(head.challenges) && !m_username.empty() &&
            !m_password.empty() && sameOrigin(url, origin)) {
            sendAuth = true;
            stream.resize(answerStart);
            continue;
        }
        if (m_statusCode == 407 && viaProxy && !sendProxyAuth && hasBasicChallenge(head.challenges) &&
            !m_proxyUsername.empty() && !m_proxyPassword.empty()) {
            sendProxyAuth = true;
            stream.resize(answerStart);
            continue;
        }
        break;
    }
    m_socket.close();
    if (m_statusCode >= 400 && m_statusCode != 401 && m_statusCode != 407)
        throw EHttpError(m_reasonPhrase, m_statusCode);
}

} // namespace listorix
