#include "app/gui/TerminationSignals.h"

#include "base/WakePipe.h"

#include <QSocketNotifier>
#include <csignal>

namespace listorix {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

WakePipe* g_pipe = nullptr;

extern "C" void wakeOnSignal(int)
{
    if (g_pipe)
        g_pipe->wake(); // one write(2): safe in a signal handler
}

void setHandler(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_pipe(std::make_unique<WakePipe>()),
      m_notifier(new QSocketNotifier(m_pipe->readFd(), QSocketNotifier::Read, this)),
      m_onSignal(std::move(onSignal))
{
    g_pipe = m_pipe.get();
    setHandler(wakeOnSignal);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        m_pipe->drain();
        if (m_onSignal)
            m_onSignal();
    });
}

TerminationSignals::~TerminationSignals()
{
    setHandler(SIG_DFL);
    g_pipe = nullptr;
}

} // namespace listorix
