#pragma once

#include "base/MainThread.h"

#include <QObject>

namespace listorix {

// The main thread's event loop for the core: posted calls run on the thread that
// created this object (the application's), after what is already queued; waiting
// serves the application's events, sleeping while none are pending.
class QtMainThread final : public MainThread
{
public:
    QtMainThread() = default;

    void post(std::function<void()> call) override;
    void serveEventsUntil(const std::function<bool()>& done) override;

private:
    QObject m_context; // lives on the main thread; posted calls are delivered to it
};

} // namespace listorix
