#include "poll/PollSession.h"

#include "app/StartUpSteps.h"
#include "base/Windows1252.h"
#include "export/ClipboardText.h"
#include "fetch/RequestSource.h"
#include "fetch/TConnessione.h"

#include <cstddef>
#include <memory>
#include <optional>

namespace listorix::poll {

namespace {

constexpr std::array<const char*, 4> kIndexRowNames = {"MIBTEL", "MIB30", "MIDEX", "S&P MIB"};
constexpr std::array<const char*, 5> kIndexColumnTitles = {"var.", "valore", "ora", "min", "max"};

constexpr std::string_view kAlertLinePrefix = "Avviso: ";

// The index panel in the tables' format: its date header over the row names, the
// column titles, and one row per index.
std::string panelText(const IndexPanel& panel)
{
    std::string text = panel.dateHeader();
    for (const char* title : kIndexColumnTitles)
        text += std::string("\t") + title;
    text += "\r\n";
    for (std::size_t k = 0; k < IndexPanel::kIndices.size(); ++k) {
        text += kIndexRowNames[k];
        for (const IndexField field : IndexPanel::kFields)
            text += '\t' + panel.text(IndexPanel::kIndices[k], field);
        text += "\r\n";
    }
    return text;
}

} // namespace

// Every status line the core writes, as a line on standard error.
class PollSession::StatusPrinter final : public TextSink
{
public:
    explicit StatusPrinter(PollSession& session) : m_session(session) {}
    void setText(const std::string& text) override
    {
        if (!text.empty() && text == m_session.m_alertsInStatus) {
            m_session.m_alertsInStatus.clear();
            return;
        }
        if (!text.empty())
            m_session.printLine(text);
    }

private:
    PollSession& m_session;
};

PollSession::PollSession(const PollOptions& options, std::ostream& out, std::ostream& err)
    : m_options(options), m_out(out), m_err(err),
      m_loop(options.noWait ? std::unique_ptr<LoopClock>(std::make_unique<VirtualLoopClock>()) : nullptr),
      m_toolkit(m_loop, [this](const std::string&, const std::string& text) { printLine(text); }),
      m_core(m_toolkit.toolkit(), MainFormCore::Options{options.dir, ',', {}, {}}),
      m_statusPrinter(std::make_unique<StatusPrinter>(*this))
{
    m_toolkit.attach(m_core);
    m_core.LabelStatus().attach(m_statusPrinter.get());
    m_core.notices().setObserver([this](const std::string&, const std::string& text) { printAlerts(text); });
    m_core.setFetchEndedObserver(
        [this](ConnectionId id, FetchOutcome outcome) { onFetchEnded(id, outcome); });
}

PollSession::~PollSession()
{
    m_core.notices().setObserver(nullptr);
    m_core.LabelStatus().attach(nullptr);
}

void PollSession::requestStop()
{
    m_loop.post([this] { onStop(); });
}

int PollSession::run()
{
    m_core.FormCreate();
    StartUpSteps noWindow;
    m_core.FormShow(noWindow);
    for (const ConnectionId id : kConnectionOrder)
        m_enabled[indexOf(id)] = m_core.connection(id) && m_core.connection(id)->Enabled;
    if (m_options.printRequests) {
        for (const ConnectionId id : kConnectionOrder) {
            for (const std::string& entry : m_core.connection(id)->Requests)
                m_out << m_core.requestSource().requestUrl(entry.substr(0, entry.find('\t'))) << '\n';
        }
        m_out.flush();
        m_core.FormCloseQuery();
        return 0;
    }
    if (!cyclesDone())
        m_loop.run();
    for (const std::string& error : m_core.FormDestroy())
        printLine(error);
    for (const bool failed : m_lastFailed) {
        if (failed)
            return 1;
    }
    return 0;
}

void PollSession::onStop()
{
    ++m_stops;
    if (m_stops == 1) {
        m_core.FormCloseQuery();
        if (m_core.CurrentConnection()) {
            m_core.finishAfterCurrentRequest();
            return;
        }
    }
    m_loop.quit();
}

void PollSession::onFetchEnded(ConnectionId id, FetchOutcome outcome)
{
    const std::size_t k = indexOf(id);
    if (outcome == FetchOutcome::Answered)
        printTable(id);
    if (outcome != FetchOutcome::Abandoned) {
        ++m_fetches[k];
        m_lastFailed[k] = outcome == FetchOutcome::Failed;
    }
    if (m_stops > 0 || cyclesDone()) {
        m_core.FormCloseQuery();
        m_loop.quit();
    }
}

bool PollSession::cyclesDone() const
{
    if (!m_options.cycles)
        return false;
    for (std::size_t k = 0; k < m_enabled.size(); ++k) {
        if (m_enabled[k] && m_fetches[k] < *m_options.cycles)
            return false;
    }
    return true;
}

void PollSession::printTable(ConnectionId id)
{
    const std::string table = id == ConnectionId::Indici
                                  ? panelText(m_core.indexPanel())
                                  : clipboardText(m_core.quoteTable(id), m_core.UserDecimalSeparator());
    m_out << categoryOf(id).caption << "\r\n" << utf8FromWindows1252(table) << "\r\n";
    m_out.flush();
}

// The notification of the alerts a download fired: a line each.
void PollSession::printAlerts(const std::string& text)
{
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\r');
        m_err << kAlertLinePrefix << utf8FromWindows1252(rest.substr(0, end)) << '\n';
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
    }
    m_err.flush();
    // The status line says the same, joined by "; ".
    m_alertsInStatus = text;
    for (std::size_t at = m_alertsInStatus.find('\r'); at != std::string::npos;
         at = m_alertsInStatus.find('\r', at + 2))
        m_alertsInStatus.replace(at, 1, "; ");
}

void PollSession::printLine(const std::string& text)
{
    m_err << "listorix-poll: " << utf8FromWindows1252(text) << '\n';
    m_err.flush();
}

} // namespace listorix::poll
