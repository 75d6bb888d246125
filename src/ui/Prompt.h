#pragma once

#include <string_view>

namespace listorix {

// The one way the program asks or tells the user something in a message box.
// Texts are 8-bit Windows-1252, as everywhere in the core; the shell shows them
// in its message boxes, and tests answer through a fake.
class Prompt
{
public:
    virtual ~Prompt() = default;
    virtual void warning(std::string_view text) = 0;     // OK
    virtual void information(std::string_view text) = 0; // OK
    virtual void error(std::string_view text) = 0;       // OK
    virtual bool confirm(std::string_view text) = 0;     // Yes and No; true for Yes
};

} // namespace listorix
