#pragma once

#include "base/TextSink.h"

#include <string>

namespace listorix {

// A label's text kept by the core (status line, countdowns, totals, tray hint).
// The core writes it before any widget exists; the view attached later shows the
// current text at once and every text after it. Main thread only.
class TextSlot final : public TextSink
{
public:
    TextSlot() = default;
    TextSlot(const TextSlot&) = delete;
    TextSlot& operator=(const TextSlot&) = delete;

    void setText(const std::string& text) override;
    const std::string& text() const { return m_text; }

    // The widget's sink, not owned; it must stay until detached (attach(nullptr)).
    void attach(TextSink* view);

private:
    std::string m_text;
    TextSink* m_view = nullptr;
};

} // namespace listorix
