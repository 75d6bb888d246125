#pragma once

#include "base/Prompts.h"

class QWidget;

namespace listorix {

// The core's message boxes as modal Qt message boxes over `parent`, captioned
// "Listorix", with the core's 8-bit text and CR line breaks converted.
class MessageBoxPrompts final : public Prompts
{
public:
    explicit MessageBoxPrompts(QWidget* parent = nullptr) : m_parent(parent) {}

    void warningOk(const std::string& text) override;
    void messageOk(const std::string& text) override;
    bool confirmYesNo(const std::string& question) override;

private:
    QWidget* m_parent;
};

} // namespace listorix
