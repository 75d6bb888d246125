#pragma once

#include "app/MainPage.h"

#include <array>
#include <functional>

namespace listorix {

// Which pages show their tab: the core keeps it (FormCreate hides the categories,
// the settings show the enabled ones), the window draws each change it is told of.
class PageTabs final : public PageVisibility
{
public:
    using Observer = std::function<void(MainPage)>;

    void setPageVisible(MainPage page, bool visible) override
    {
        m_visible[static_cast<std::size_t>(page)] = visible;
        if (m_observer)
            m_observer(page);
    }
    bool visible(MainPage page) const { return m_visible[static_cast<std::size_t>(page)]; }
    // The one observer (the page control's window); told the page that changed.
    void setObserver(Observer observer) { m_observer = std::move(observer); }

private:
    std::array<bool, kMainPages.size()> m_visible{true, true, true, true, true, true, true};
    Observer m_observer;
};

} // namespace listorix
