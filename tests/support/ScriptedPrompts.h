#pragma once

#include "base/Prompts.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace listorix::test {

// Message boxes a test answers: every box shown is recorded; a Yes/No question
// takes the next scripted answer, and one the test did not script fails it.
class ScriptedPrompts final : public Prompts
{
public:
    void warningOk(const std::string& text) override { shown.push_back("warning: " + text); }
    void messageOk(const std::string& text) override { shown.push_back("message: " + text); }
    bool confirmYesNo(const std::string& question) override
    {
        shown.push_back("confirm: " + question);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return false;
        }
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }

    std::vector<std::string> shown;
    std::deque<bool> answers;
};

} // namespace listorix::test
