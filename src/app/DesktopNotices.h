#pragma once

#include "alerts/AlertNotifier.h"

#include <functional>
#include <string>

namespace listorix {

// The desktop notifications the core gives (the fired price alerts): it keeps the
// last one and tells its one observer, the window, which shows it through the
// notification icon; listorix-poll writes it to standard error. Where nobody
// observes, the status line still tells.
class DesktopNotices final : public AlertNotifier
{
public:
    using Observer = std::function<void(const std::string& title, const std::string& text)>;

    void notify(const std::string& title, const std::string& text) override
    {
        m_title = title;
        m_text = text;
        if (m_observer)
            m_observer(title, text);
    }
    const std::string& lastTitle() const { return m_title; }
    const std::string& lastText() const { return m_text; }
    void setObserver(Observer observer) { m_observer = std::move(observer); }

private:
    std::string m_title;
    std::string m_text;
    Observer m_observer;
};

} // namespace listorix
