#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace listorix {

// The file dialogs of the commands that write or read a file the user chooses:
// the shell shows them, tests answer them. Captions in the core's code page.
class FileNamePrompt
{
public:
    virtual ~FileNamePrompt() = default;
    // The file to write, offering `suggestedName`; nothing when the user cancels.
    virtual std::optional<std::filesystem::path> fileToSave(const std::string& caption,
                                                            const std::string& suggestedName) = 0;
    // The file to read; nothing when the user cancels.
    virtual std::optional<std::filesystem::path> fileToOpen(const std::string& caption) = 0;
};

} // namespace listorix
