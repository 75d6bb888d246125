#pragma once

#include "base/Prompts.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace listorix::test {

// Answers the program's message boxes in tests: records each as "warning: ",
// "message: " or "question: " and its text, answers questions from a queue, and
// fails the test on a question nobody expected.
class AnsweringPrompts final : public Prompts
{
public:
    void warningOk(const std::string& text) override { shown.push_back("warning: " + text); }
    void messageOk(const std::string& text) override { shown.push_back("message: " + text); }
    bool confirmYesNo(const std::string& question) override
    {
        shown.push_back("question: " + question);
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
