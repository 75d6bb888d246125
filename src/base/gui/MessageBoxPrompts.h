#pragma once

#include "base/Prompts.h"

namespace listorix {

// The core's message boxes as Qt message boxes, captioned with the application's
// title, the core's line ends shown as line breaks, over the window that is
// active when they open (the main window, or a dialog that asks). The one place
// the program shows a message box.
class MessageBoxPrompts final : public Prompts
{
public:
    void warningOk(const std::string& text) override;
    void messageOk(const std::string& text) override;
    bool confirmYesNo(const std::string& question) override;
};

} // namespace listorix
