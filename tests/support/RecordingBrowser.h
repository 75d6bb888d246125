#pragma once

#include "browser/gui/WebBrowser.h"

#include <QStringList>

namespace listorix::test {

// A browser that only notes what it was asked: "navigate <url>", "back", ...
class RecordingBrowser final : public WebBrowser
{
public:
    explicit RecordingBrowser(QWidget* parent = nullptr) : WebBrowser(parent)
    {
        setFocusPolicy(Qt::StrongFocus);
    }

    void navigate(const QString& url) override { calls << QStringLiteral("navigate ") + url; }
    void back() override { calls << QStringLiteral("back"); }
    void forward() override { calls << QStringLiteral("forward"); }
    void stop() override { calls << QStringLiteral("stop"); }
    void reload() override { calls << QStringLiteral("reload"); }
    void setResting(bool resting) override
    {
        calls << (resting ? QStringLiteral("rest") : QStringLiteral("wake"));
    }

    QStringList calls;
};

} // namespace listorix::test
