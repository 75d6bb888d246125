#pragma once

#include <functional>
#include <optional>
#include <sys/types.h>

namespace listorix {

struct BrowserProxy;

// What Qt WebEngine needs before the QApplication exists; main() calls it first.
// It shares OpenGL contexts between the browser and the widgets, and for a
// process running as root (effectiveUid 0) it switches the browser's sandbox off
// (QTWEBENGINE_DISABLE_SANDBOX), which the browser engine refuses to run as root
// with. Other users keep the sandbox. The browser draws in software (Qt Quick's
// software back end, no OpenGL integration), so the program loads no OpenGL
// stack. A value already in the environment is kept.
void prepareWebEngineStartup(uid_t effectiveUid);
void prepareWebEngineStartup();

// Sends the embedded browser through the proxy of the program's settings, or
// straight out when there is none, by setting the application proxy. Proxy
// credentials are answered from the proxy's user name and password.
//
// Qt WebEngine reads the application proxy when its network service is set up,
// and later only notices a change when a request looks for its proxy, applying
// it to the requests after that one. So when a browser already runs, a change is
// followed by one request of our own to a loopback socket of our own (no traffic
// leaves the machine), and the user's next page goes the new way. `settled` runs
// once the engine has taken the change (at once when no browser runs yet).
void applyBrowserProxy(const std::optional<BrowserProxy>& proxy, std::function<void()> settled = {});

// Told by each browser made, so that proxy changes are passed on from then on.
void noteBrowserEngineRunning();

} // namespace listorix
