// listorix-fetch [--proxy HOST[:PORT]] [--proxy-user U] [--proxy-password P] URL
//
// Runs one GET with the program's HTTP client: the body goes to standard output,
// the status code and reason to standard error. Exits 1 with the error text when
// the request fails, 2 on a wrong command line.
#include "base/PosixIo.h"
#include "http/EHttpError.h"
#include "http/THttpClient.h"

#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

int usage()
{
    std::cerr << "uso: listorix-fetch [--proxy HOST[:PORT]] [--proxy-user U] [--proxy-password P] URL\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    listorix::THttpClient client;
    std::string url;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--proxy" && hasValue)
            client.setProxy(argv[++i]);
        else if (arg == "--proxy-user" && hasValue)
            client.setProxyUsername(argv[++i]);
        else if (arg == "--proxy-password" && hasValue)
            client.setProxyPassword(argv[++i]);
        else if (url.empty() && !arg.starts_with("--"))
            url = arg;
        else
            return usage();
    }
    if (url.empty())
        return usage();

    std::string body;
    client.setURL(url);
    client.setReceiveStream(&body);
    client.setMultiThreaded(true);
    try {
        client.Get();
    } catch (const listorix::EHttpError& error) {
        std::cerr << error.what() << " (" << error.errorCode() << ")\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    std::cerr << client.statusCode() << ' ' << client.reasonPhrase() << '\n';
    return listorix::writeAll(STDOUT_FILENO, body) ? 0 : 1;
}
