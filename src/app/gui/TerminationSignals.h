#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace listorix {

class WakePipe;

// SIGTERM, SIGINT and SIGHUP delivered to the event loop: the handler only writes a
// byte into a pipe, and the main thread, woken by it, runs `onSignal` (closing the
// window the way "Chiudi" does, so the session's saves run). One instance at a time.
class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    std::unique_ptr<WakePipe> m_pipe;
    QSocketNotifier* m_notifier;
    std::function<void()> m_onSignal;
};

} // namespace listorix
