#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace listorix {

class TextSink;

// The desktop notification of fired alerts: the shell shows it through the
// notification icon, and shows nothing where the desktop has no notification
// area; tests record it. Texts in the core's code page.
class AlertNotifier
{
public:
    virtual ~AlertNotifier() = default;
    virtual void notify(const std::string& title, const std::string& text) = 0;
};

inline constexpr std::string_view kAlertNotificationTitle = "Listorix";

// Tells the alerts that fired at one check: one notification titled "Listorix"
// with a line for each (CR between lines), and the same texts in the status line,
// separated by "; ". Nothing for none. A notifier that throws is passed over, so
// the status line still tells.
void tellFiredAlerts(const std::vector<std::string>& fired, AlertNotifier& notifier, TextSink& LabelStatus);

} // namespace listorix
