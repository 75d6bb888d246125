#include "base/ProxySettings.h"
#include "browser/BrowserProxy.h"

#include <gtest/gtest.h>

namespace listorix {
namespace {

TEST(BrowserProxy, followsTheProgramsProxySettings)
{
    const struct
    {
        bool enabled;
        const char* address;
        const char* port;
        std::optional<BrowserProxy> expected;
    } cases[] = {
        {true, "proxy.lan", "3128", BrowserProxy{"proxy.lan", 3128, "anna", "p\xE0ss"}},
        {true, " http://proxy.lan:8080 ", "3128", BrowserProxy{"proxy.lan", 8080, "anna", "p\xE0ss"}},
        {true, "proxy.lan", "", BrowserProxy{"proxy.lan", 80, "anna", "p\xE0ss"}},
        {true, "proxy.lan", "99999", BrowserProxy{"proxy.lan", 80, "anna", "p\xE0ss"}},
        {true, "", "3128", std::nullopt},
        {false, "proxy.lan", "3128", std::nullopt},
    };
    for (const auto& c : cases) {
        const ProxySettings inForce{c.enabled, c.address, c.port, "anna", "p\xE0ss"};
        EXPECT_EQ(browserProxy(inForce), c.expected) << c.address << ' ' << c.port;
    }
}

} // namespace
} // namespace listorix
