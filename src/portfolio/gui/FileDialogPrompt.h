#pragma once

#include "portfolio/FileNamePrompt.h"

#include <QPointer>
#include <QWidget>

namespace listorix {

// The file dialogs of the CSV commands as Qt file dialogs over a window, for CSV
// files ("File CSV (*.csv)").
class FileDialogPrompt final : public FileNamePrompt
{
public:
    explicit FileDialogPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    std::optional<std::filesystem::path> fileToSave(const std::string& caption,
                                                    const std::string& suggestedName) override;
    std::optional<std::filesystem::path> fileToOpen(const std::string& caption) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace listorix
