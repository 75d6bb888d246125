#include "browser/gui/WebEngineStartup.h"

#include "base/gui/QtText.h"
#include "browser/BrowserProxy.h"

#include <QCoreApplication>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebEnginePage>
#include <cstdlib>
#include <unistd.h>

namespace listorix {

namespace {

bool& engineRunning()
{
    static bool running = false;
    return running;
}

// One request of the browser engine to a socket of our own on loopback (which the
// proxy rules always bypass): looking up its proxy makes the engine reread the
// application proxy. Deletes itself when done, or after a few seconds at most.
class ProxyChangeNotice final : public QObject
{
public:
    ProxyChangeNotice(std::function<void()> settled, QObject* parent)
        : QObject(parent), m_settled(std::move(settled))
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                socket->write("HTTP/1.0 204 No Content\r\n\r\n");
                socket->disconnectFromHost();
            }
        });
        QTimer::singleShot(5000, this, &ProxyChangeNotice::finish);
        if (!m_server.listen(QHostAddress::LocalHost, 0)) {
            QTimer::singleShot(0, this, &ProxyChangeNotice::finish);
            return;
        }
        connect(&m_page, &QWebEnginePage::loadFinished, this, &ProxyChangeNotice::finish);
        m_page.load(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort())));
    }

private:
    void finish()
    {
        if (m_finished)
            return;
        m_finished = true;
        if (m_settled)
            m_settled();
        deleteLater();
    }

    std::function<void()> m_settled;
    QTcpServer m_server;
    QWebEnginePage m_page;
    bool m_finished = false;
};

} // namespace

void prepareWebEngineStartup(uid_t effectiveUid)
{
    if (!QCoreApplication::instance()) // only has an effect before the application exists
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (effectiveUid == 0)
        ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    // The web tab shows light pages (the start and help pages, reports, charts):
    // drawn in software they need no OpenGL stack in the program, which on a
    // desktop without a GPU driver (Mesa's software renderer) alone held about
    // 45 MB of the program's memory, resting or not. A user's own choice stands.
    ::setenv("QT_QUICK_BACKEND", "software", 0);
    ::setenv("QT_XCB_GL_INTEGRATION", "none", 0);
}

void prepareWebEngineStartup()
{
    prepareWebEngineStartup(::geteuid());
}

void noteBrowserEngineRunning()
{
    engineRunning() = true;
}

void applyBrowserProxy(const std::optional<BrowserProxy>& proxy, std::function<void()> settled)
{
    const QNetworkProxy wanted =
        proxy ? QNetworkProxy(QNetworkProxy::HttpProxy, qText(proxy->host), proxy->port,
                              qText(proxy->username), qText(proxy->password))
              : QNetworkProxy(QNetworkProxy::NoProxy);
    const bool changed = !(QNetworkProxy::applicationProxy() == wanted);
    QNetworkProxy::setApplicationProxy(wanted);
    if (changed && engineRunning())
        new ProxyChangeNotice(std::move(settled), QCoreApplication::instance()); // deletes itself
    else if (settled)
        settled();
}

} // namespace listorix
