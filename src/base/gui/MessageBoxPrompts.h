#pragma once

#include "base/Prompts.h"

#include <QPointer>
#include <QWidget>

namespace listorix {

// The core's message boxes as Qt message boxes over a window, captioned with the
// application's title, the core's line ends shown as line breaks. The one place
// the program shows a message box.
class MessageBoxPrompts final : public Prompts
{
public:
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void warningOk(const std::string& text) override;
    void messageOk(const std::string& text) override;
    bool confirmYesNo(const std::string& question) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace listorix
