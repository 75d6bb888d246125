#include "websource/WebSourceEndpoints.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(WebSourceEndpoints, webBaseAddressesAreCheckedAndUnusableOnesGiveTheDefaults)
{
    const struct
    {
        const char* raw;
        const char* expected; // empty: unusable
    } cases[] = {
        {"https://127.0.0.1:8443", "https://127.0.0.1:8443"},
        {"http://localhost:8080/", "http://localhost:8080"},
        {" HTTPS://Example.org ", "https://Example.org"},
        {"127.0.0.1:8080", ""},
        {"ftp://host", ""},
        {"https://", ""},
        {"https://host:0", ""},
        {"https://host:65536", ""},
        {"https://host/path", ""},
        {"https://user@host", ""},
        {"https://ho st", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(parseWebBaseUrl(c.raw), c.expected);
    }

    const WebSourceEndpoints defaults = webSourceEndpointsFromSettings("", "nonsense", "", "ftp://x");
    EXPECT_EQ(defaults, WebSourceEndpoints{});
    EXPECT_EQ(defaults.searchUrl, "https://query2.finance.yahoo.com");
    const WebSourceEndpoints local = webSourceEndpointsFromSettings(
        "https://127.0.0.1:9", "http://127.0.0.1:10/", " /tmp/ca.pem ", "HTTPS://127.0.0.1:11");
    EXPECT_EQ(local.chartUrl, "https://127.0.0.1:9");
    EXPECT_EQ(local.exchangeUrl, "http://127.0.0.1:10");
    EXPECT_EQ(local.certificatesFile, "/tmp/ca.pem");
    EXPECT_EQ(local.searchUrl, "https://127.0.0.1:11");
}

} // namespace
} // namespace listorix
