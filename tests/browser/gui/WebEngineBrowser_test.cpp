// The real browser engine, offscreen: the shipped start page from file, a report
// in its declared character set, and the way out through the program's proxy.
#include "AnsweringPrompts.h"
#include "ScratchDir.h"
#include "browser/BrowserProxy.h"
#include "browser/gui/WebEngineBrowser.h"
#include "browser/gui/WebEngineStartup.h"
#include "browser/gui/WebTab.h"
#include "export/ReportTemplates.h"
#include "export/TableCommands.h"
#include "grid/TAlignGrid.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace listorix {
namespace {

constexpr int kLoadTimeoutMs = 30000;

// Loads `url` and waits for the end: its success, or nothing when no end came.
std::optional<bool> load(WebEngineBrowser& browser, const QString& url)
{
    QSignalSpy finished(&browser, &WebBrowser::loadFinished);
    browser.navigate(url);
    if (!finished.wait(kLoadTimeoutMs))
        return std::nullopt;
    return finished.last().at(0).toBool();
}

QString pageText(WebEngineBrowser& browser)
{
    QString text;
    bool done = false;
    browser.view()->page()->toPlainText([&](const QString& result) {
        text = result;
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, kLoadTimeoutMs));
    return text;
}

// A proxy on loopback that answers every request with a small page naming
// itself, after asking once for Basic credentials when told to.
class LoopbackProxy final : public QObject
{
public:
    explicit LoopbackProxy(QString name, QByteArray credentials = {})
        : m_name(std::move(name)), m_credentials(std::move(credentials))
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    QList<QByteArray> heads;

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray& buffer = m_buffers[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = buffer.left(end);
        buffer.remove(0, end + 4);
        heads << head;
        const bool authorised = m_credentials.isEmpty() ||
                                head.contains("Proxy-Authorization: Basic " + m_credentials.toBase64());
        const QByteArray body = "<html><head><title>" + m_name.toUtf8() + "</title></head><body>via " +
                                m_name.toUtf8() + "</body></html>";
        if (!authorised) {
            socket->write("HTTP/1.1 407 Proxy Authentication Required\r\n"
                          "Proxy-Authenticate: Basic realm=\"listorix\"\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                      QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QString m_name;
    QByteArray m_credentials;
    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_buffers;
};

class WebEngineBrowserTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString start = QStringLiteral(LISTORIX_TEST_DATA_DIR "/../../web/index.html");
        const std::optional<bool> started = load(browser, QUrl::fromLocalFile(start).toString());
        if (!started)
            GTEST_SKIP() << "the browser engine does not start here";
        ASSERT_TRUE(*started);
    }
    void TearDown() override { applyBrowserProxy(std::nullopt); }

    WebEngineBrowser browser;
};

TEST_F(WebEngineBrowserTest, showsTheShippedStartPageFromFile)
{
    EXPECT_EQ(browser.view()->title(), QStringLiteral("Listorix"));
    EXPECT_TRUE(pageText(browser).contains(QStringLiteral("Benvenuto in Listorix")));
}

// Resting hidden, the page is let go; waking loads it again where it was, with
// what came before it still behind the back button.
TEST_F(WebEngineBrowserTest, aRestingPageIsDiscardedAndComesBackWithItsAddressAndHistory)
{
    test::ScratchDir dir;
    dir.write("second.html", "<html><head><title>Seconda</title></head><body>seconda</body></html>");
    ASSERT_EQ(load(browser, WebTab::fileAddress(dir.file("second.html").string())), true);
    QWebEnginePage* page = browser.view()->page();
    const QUrl address = page->url();

    browser.setResting(true); // never shown: nobody sees it
    EXPECT_EQ(page->lifecycleState(), QWebEnginePage::LifecycleState::Discarded);

    QSignalSpy finished(&browser, &WebBrowser::loadFinished);
    browser.setResting(false);
    EXPECT_EQ(page->lifecycleState(), QWebEnginePage::LifecycleState::Active);
    ASSERT_TRUE(finished.wait(kLoadTimeoutMs));
    EXPECT_EQ(page->url(), address);
    EXPECT_EQ(browser.view()->title(), QStringLiteral("Seconda"));
    EXPECT_TRUE(page->history()->canGoBack());
}

TEST_F(WebEngineBrowserTest, reportShowsAccentsAndTheEuroSignRight)
{
    test::ScratchDir dir;
    TAlignGrid grid(2, 2);
    grid.setCell(1, 1, "Citt\xE0 \x80 1.240,00");
    test::AnsweringPrompts prompts;
    const auto report =
        reportCommand({&grid, "Titoli azionari", std::nullopt},
                      BuildReportTemplates("file:///opt/listorix/web/index.html"), dir.dir(), prompts);
    ASSERT_TRUE(report);

    ASSERT_EQ(load(browser, WebTab::fileAddress(*report)), true);
    EXPECT_TRUE(pageText(browser).contains(QString::fromUtf8("Città € 1.240,00")))
        << pageText(browser).toStdString();
}

// Sets the proxy and waits until the engine has taken it.
void switchProxy(const std::optional<BrowserProxy>& proxy)
{
    bool settled = false;
    applyBrowserProxy(proxy, [&] { settled = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return settled; }, kLoadTimeoutMs));
}

TEST_F(WebEngineBrowserTest, goesOutThroughTheProgramsProxyWithItsCredentialsAndFollowsChanges)
{
    // A browser already runs (the start page): the change must reach its very next page.
    LoopbackProxy first(QStringLiteral("first"), "anna:segreto");
    switchProxy(BrowserProxy{"127.0.0.1", first.port(), "anna", "segreto"});
    ASSERT_EQ(load(browser, QStringLiteral("http://quotes.listorix.invalid/q/bc?s=ENI.MI&t=1d")), true);
    EXPECT_EQ(browser.view()->title(), QStringLiteral("first"));
    ASSERT_FALSE(first.heads.isEmpty());
    EXPECT_TRUE(
        first.heads.front().startsWith("GET http://quotes.listorix.invalid/q/bc?s=ENI.MI&t=1d HTTP/1.1"));

    LoopbackProxy second(QStringLiteral("second"));
    switchProxy(BrowserProxy{"127.0.0.1", second.port(), "", ""});
    // Typed without a scheme, as into the address field: still a web address.
    ASSERT_EQ(load(browser, QStringLiteral("quotes.listorix.invalid/2")), true);
    EXPECT_EQ(browser.view()->title(), QStringLiteral("second"));
    EXPECT_TRUE(std::any_of(second.heads.begin(), second.heads.end(), [](const QByteArray& head) {
        return head.startsWith("GET http://quotes.listorix.invalid/2 HTTP/1.1");
    }));

    // Proxy off: straight out, where the made-up host does not exist.
    switchProxy(std::nullopt);
    const qsizetype secondSeen = second.heads.size();
    EXPECT_EQ(load(browser, QStringLiteral("http://quotes.listorix.invalid/3")), false);
    EXPECT_EQ(second.heads.size(), secondSeen);
}

} // namespace
} // namespace listorix
