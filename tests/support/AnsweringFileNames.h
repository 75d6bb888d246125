#pragma once

#include "portfolio/FileNamePrompt.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace listorix::test {

// Answers the file dialogs with a fixed file, or cancels; records each caption
// (and the name a save dialog offers).
struct AnsweringFileNames final : FileNamePrompt
{
    std::optional<std::filesystem::path> fileToSave(const std::string& caption,
                                                    const std::string& suggestedName) override
    {
        asked.push_back(caption + " [" + suggestedName + "]");
        return answer;
    }
    std::optional<std::filesystem::path> fileToOpen(const std::string& caption) override
    {
        asked.push_back(caption);
        return answer;
    }
    std::optional<std::filesystem::path> answer;
    std::vector<std::string> asked;
};

} // namespace listorix::test
