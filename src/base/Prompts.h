#pragma once

#include <string>

namespace listorix {

// The message boxes of the core, all modal and in Italian. The shell shows them;
// tests answer them and fail on a message they did not expect. Text is the core's
// 8-bit Windows-1252.
class Prompts
{
public:
    virtual ~Prompts() = default;

    // A warning box with a single "OK" button.
    virtual void warningOk(const std::string& text) = 0;
    // An information box with a single "OK" button.
    virtual void messageOk(const std::string& text) = 0;
    // A confirmation box with the buttons Yes and No; true only for Yes. A
    // toolkit with nobody to ask (a program without a window) keeps this
    // answer: No, so nothing is done that the user did not confirm.
    virtual bool confirmYesNo(const std::string& question)
    {
        static_cast<void>(question);
        return false;
    }
};

} // namespace listorix
