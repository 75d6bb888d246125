#pragma once

#include "base/ChangeNotifier.h"
#include "fetch/FetchIndicator.h"

namespace listorix {

// Whether a fetch runs, as the tool bar shows it: the core keeps it, the window
// draws it when told.
class FetchState final : public FetchIndicator
{
public:
    void setFetching(bool fetching) override
    {
        m_fetching = fetching;
        m_notifier.changed();
    }
    bool fetching() const { return m_fetching; }
    // The one observer (the tool bar's window).
    void setObserver(ChangeNotifier::Observer observer) { m_notifier.setObserver(std::move(observer)); }

private:
    bool m_fetching = false;
    ChangeNotifier m_notifier;
};

} // namespace listorix
