#include "browser/gui/WebEngineStartup.h"

#include <QByteArray>
#include <cstdlib>
#include <gtest/gtest.h>

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

} // namespace
} // namespace listorix
