#pragma once

#include <string>

namespace listorix {

// Somewhere a text is shown, such as a connection's countdown label. The core
// writes through it without knowing the widget behind it.
class TextSink
{
public:
    virtual ~TextSink() = default;
    virtual void setText(const std::string& text) = 0;
};

} // namespace listorix
