#pragma once

#include "ui/Prompt.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace listorix::test {

// Answers the program's message boxes in tests: records every message, answers
// confirmations from a queue, and fails the test on a question nobody expected.
class RecordingPrompt final : public Prompt
{
public:
    enum class Kind
    {
        Warning,
        Information,
        Error,
        Confirm
    };
    struct Message
    {
        Kind kind;
        std::string text;

        bool operator==(const Message&) const = default;
    };

    void warning(std::string_view text) override { m_messages.push_back({Kind::Warning, std::string(text)}); }
    void information(std::string_view text) override
    {
        m_messages.push_back({Kind::Information, std::string(text)});
    }
    void error(std::string_view text) override { m_messages.push_back({Kind::Error, std::string(text)}); }
    bool confirm(std::string_view text) override
    {
        m_messages.push_back({Kind::Confirm, std::string(text)});
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return false;
        }
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void answerNext(bool yes) { m_answers.push_back(yes); }
    const std::vector<Message>& messages() const { return m_messages; }

private:
    std::vector<Message> m_messages;
    std::deque<bool> m_answers;
};

} // namespace listorix::test
