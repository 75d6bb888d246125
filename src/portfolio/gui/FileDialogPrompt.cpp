#include "portfolio/gui/FileDialogPrompt.h"

#include "base/gui/QtText.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>

namespace listorix {

namespace {

const QString kFilter = QStringLiteral("File CSV (*.csv);;Tutti i file (*)");

std::optional<std::filesystem::path> chosen(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

} // namespace

std::optional<std::filesystem::path> FileDialogPrompt::fileToSave(const std::string& caption,
                                                                  const std::string& suggestedName)
{
    return chosen(QFileDialog::getSaveFileName(m_parent, qText(caption),
                                               QDir::home().filePath(qText(suggestedName)), kFilter));
}

std::optional<std::filesystem::path> FileDialogPrompt::fileToOpen(const std::string& caption)
{
    return chosen(QFileDialog::getOpenFileName(m_parent, qText(caption), QDir::homePath(), kFilter));
}

} // namespace listorix
