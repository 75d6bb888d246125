#include "websource/CurlTransport.h"

#include "websource/StopSignal.h"

#include <curl/curl.h>
#include <mutex>

namespace listorix {

namespace {

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct SlistDeleter
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

Slist headerList(bool withJsonBody)
{
    curl_slist* list = curl_slist_append(nullptr, "Accept: application/json, text/plain, */*");
    list = curl_slist_append(list, "Accept-Language: it-IT,it;q=0.9");
    if (withJsonBody) {
        list = curl_slist_append(list, "Content-Type: application/json; charset=UTF-8");
        list = curl_slist_append(list, "Expect:");
    }
    return Slist(list);
}

struct Transfer
{
    std::string* body = nullptr;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
    const StopSignal* stop = nullptr;
};

std::size_t collectBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (transfer->body->size() + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0; // ends the transfer
    }
    transfer->body->append(data, bytes);
    return bytes;
}

int checkStop(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<Transfer*>(user)->stop->stopped() ? 1 : 0;
}

} // namespace

struct CurlTransport::Handle
{
    Handle() : curl(curl_easy_init()) {}
    ~Handle()
    {
        if (curl)
            curl_easy_cleanup(curl);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    CURL* curl;
};

CurlTransport::CurlTransport(CurlTransportOptions options, const StopSignal& stop)
    : m_options(std::move(options)), m_stop(stop)
{
    initialiseCurlOnce();
    m_handle = std::make_unique<Handle>();
}

CurlTransport::~CurlTransport() = default;

WebResponse CurlTransport::perform(const WebRequest& request)
{
    WebResponse response;
    CURL* curl = m_handle->curl;
    if (!curl) {
        response.error = "libcurl could not start";
        return response;
    }
    if (m_stop.stopped()) {
        response.error = "stopped";
        return response;
    }

    curl_easy_reset(curl);
    Transfer transfer{&response.body, m_options.maxBodyBytes, false, &m_stop};
    char errorText[CURL_ERROR_SIZE] = {};
    const Slist headers = headerList(!request.jsonBody.empty());

    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_options.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(m_options.totalTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, checkStop);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    if (!m_options.certificatesFile.empty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, m_options.certificatesFile.c_str());

    // An empty proxy also keeps libcurl from taking one from the environment.
    const ProxySettings& settings = m_options.proxy;
    std::string proxy;
    if (settings.enabled && !settings.address.empty())
        proxy = "http://" + settings.address + ':' + (settings.port.empty() ? "80" : settings.port);
    curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());
    if (!proxy.empty() && !settings.username.empty() && !settings.password.empty()) {
        curl_easy_setopt(curl, CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_BASIC));
        curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, settings.username.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, settings.password.c_str());
    }

    if (!request.jsonBody.empty()) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.jsonBody.c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.jsonBody.size()));
    }

    const CURLcode code = curl_easy_perform(curl);
    // Nothing may point into this call's locals once it returns.
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);

    if (code != CURLE_OK) {
        response.body.clear();
        if (transfer.tooLarge)
            response.error = "answer too large";
        else
            response.error = errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
        return response;
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    response.answered = true;
    response.status = status;
    char* contentType = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType)
        response.contentType = contentType;
    curl_off_t retryAfter = 0;
    if (curl_easy_getinfo(curl, CURLINFO_RETRY_AFTER, &retryAfter) == CURLE_OK && retryAfter > 0)
        response.retryAfterSeconds = static_cast<std::int64_t>(retryAfter);
    // Where a redirection would lead (made absolute by libcurl); it is not followed.
    char* location = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &location) == CURLE_OK && location)
        response.location = location;
    return response;
}

} // namespace listorix
