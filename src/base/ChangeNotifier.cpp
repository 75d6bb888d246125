#include "base/ChangeNotifier.h"

namespace listorix {

ChangeNotifier::Batch::Batch(ChangeNotifier& notifier) : m_notifier(notifier)
{
    ++m_notifier.m_openBatches;
}

ChangeNotifier::Batch::~Batch()
{
    if (--m_notifier.m_openBatches == 0 && m_notifier.m_pending) {
        // A destructor must not throw; an observer that breaks its promise is
        // not allowed to take the program down with it.
        try {
            m_notifier.notify();
        } catch (...) {
        }
    }
}

void ChangeNotifier::changed()
{
    if (m_openBatches > 0)
        m_pending = true;
    else
        notify();
}

void ChangeNotifier::notify()
{
    m_pending = false;
    if (m_observer)
        m_observer();
}

} // namespace listorix
