#include "base/gui/QtMainThread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <utility>

namespace listorix {

void QtMainThread::post(std::function<void()> call)
{
    QMetaObject::invokeMethod(
        &m_context, [call = std::move(call)] { call(); }, Qt::QueuedConnection);
}

void QtMainThread::serveEventsUntil(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace listorix
