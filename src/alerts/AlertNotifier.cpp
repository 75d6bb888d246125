#include "alerts/AlertNotifier.h"

#include "base/TextSink.h"

namespace listorix {

namespace {

std::string joined(const std::vector<std::string>& texts, std::string_view separator)
{
    std::string text;
    for (const std::string& part : texts) {
        if (!text.empty())
            text += separator;
        text += part;
    }
    return text;
}

} // namespace

void tellFiredAlerts(const std::vector<std::string>& fired, AlertNotifier& notifier, TextSink& LabelStatus)
{
    if (fired.empty())
        return;
    try {
        notifier.notify(std::string(kAlertNotificationTitle), joined(fired, "\r"));
    } catch (...) {
        // The status line and the marked cells still tell.
    }
    LabelStatus.setText(joined(fired, "; "));
}

} // namespace listorix
