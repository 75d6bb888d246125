#include "browser/gui/WebEngineStartup.h"

#include <QByteArray>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>

namespace listorix {
namespace {

// Runs the check with the variable unset, and puts the test program's own value back.
template <typename Check>
void withoutSandboxVariable(Check check)
{
    const QByteArray saved = qgetenv("QTWEBENGINE_DISABLE_SANDBOX");
    const bool wasSet = qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX");
    ::unsetenv("QTWEBENGINE_DISABLE_SANDBOX");
    check();
    if (wasSet)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", saved.constData(), 1);
    else
        ::unsetenv("QTWEBENGINE_DISABLE_SANDBOX");
}

TEST(WebEngineStartup, sandboxGoesOffForRootOnly)
{
    withoutSandboxVariable([] {
        prepareWebEngineStartup(1000);
        EXPECT_FALSE(qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"));
        prepareWebEngineStartup(0);
        EXPECT_EQ(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), "1");
    });
}

TEST(WebEngineStartup, theBrowserDrawsInSoftwareUnlessTheUserSaysOtherwise)
{
    // The test program's own values go back at the end, set or not.
    const auto restore = [](const char* name, std::optional<QByteArray> value) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    };
    const auto valueOf = [](const char* name) {
        return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    };
    const std::optional<QByteArray> backend = valueOf("QT_QUICK_BACKEND");
    const std::optional<QByteArray> integration = valueOf("QT_XCB_GL_INTEGRATION");
    ::unsetenv("QT_QUICK_BACKEND");
    ::setenv("QT_XCB_GL_INTEGRATION", "xcb_egl", 1);
    prepareWebEngineStartup(1000);
    EXPECT_EQ(qgetenv("QT_QUICK_BACKEND"), "software");
    EXPECT_EQ(qgetenv("QT_XCB_GL_INTEGRATION"), "xcb_egl");
    ::unsetenv("QT_XCB_GL_INTEGRATION");
    prepareWebEngineStartup(1000);
    EXPECT_EQ(qgetenv("QT_XCB_GL_INTEGRATION"), "none");
    restore("QT_QUICK_BACKEND", backend);
    restore("QT_XCB_GL_INTEGRATION", integration);
}

} // namespace
} // namespace listorix
