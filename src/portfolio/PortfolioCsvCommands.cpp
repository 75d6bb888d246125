#include "portfolio/PortfolioCsvCommands.h"

#include "base/AtomicFile.h"
#include "base/Prompts.h"
#include "base/Windows1252.h"
#include "portfolio/FileNamePrompt.h"
#include "portfolio/Portfolio.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

namespace listorix {

namespace {

// Far beyond any portfolio; a larger file is not one.
constexpr std::uintmax_t kMostCsvBytes = 16u * 1024 * 1024;

std::string pathText(const std::filesystem::path& path)
{
    return windows1252FromUtf8(path.string());
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::string& problem)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        problem = "Impossibile leggere il file " + pathText(path) + ".";
        return std::nullopt;
    }
    if (std::filesystem::file_size(path, error) > kMostCsvBytes) {
        problem = "Il file " + pathText(path) + " \xE8 troppo grande per essere un portafoglio.";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        problem = "Impossibile leggere il file " + pathText(path) + ".";
        return std::nullopt;
    }
    return bytes;
}

std::string rowsText(std::size_t count)
{
    return count == 1 ? "1 riga" : std::to_string(count) + " righe";
}

} // namespace

std::string badLinesText(const std::filesystem::path& path, const std::vector<PortfolioCsvBadLine>& badLines)
{
    std::string text = "Righe non valide nel file " + pathText(path) + ":";
    int listed = 0;
    for (const PortfolioCsvBadLine& line : badLines) {
        if (listed++ == kMostBadLinesListed) {
            text += "\r... e altre " + rowsText(badLines.size() - kMostBadLinesListed) + ".";
            break;
        }
        text += "\rriga " + std::to_string(line.number) + ": " + line.problem;
    }
    return text;
}

bool exportPortfolioCsv(const TAlignGrid& portfolio, const std::filesystem::path& path, Prompts& prompts)
{
    try {
        writeFileAtomically(path, portfolioCsvBytes(portfolio));
        return true;
    } catch (const FileWriteError& error) {
        prompts.warningOk(error.what());
    }
    return false;
}

bool importPortfolioCsv(Portfolio& portfolio, const std::filesystem::path& path, Prompts& prompts,
                        const std::function<void()>& savePortfolio)
{
    std::string problem;
    const std::optional<std::string> bytes = readWholeFile(path, problem);
    if (!bytes) {
        prompts.warningOk(problem);
        return false;
    }
    const PortfolioCsvFile file = readPortfolioCsv(*bytes);
    if (!file.badLines.empty())
        prompts.warningOk(badLinesText(path, file.badLines));
    if (file.rows.empty()) {
        if (file.badLines.empty())
            prompts.messageOk("Il file " + pathText(path) + " non contiene righe del portafoglio.");
        return false;
    }
    if (!prompts.confirmYesNo("Confermi l'importazione di " + rowsText(file.rows.size()) + "?"))
        return false;
    importPortfolioRows(portfolio, file.rows);
    portfolio.RevaluePortfolio();
    try {
        if (savePortfolio)
            savePortfolio();
    } catch (const std::exception& error) {
        prompts.warningOk(error.what());
    }
    return true;
}

bool exportPortfolioCsvAsked(const TAlignGrid& portfolio, FileNamePrompt& files, Prompts& prompts)
{
    const std::optional<std::filesystem::path> path =
        files.fileToSave(std::string(kExportCsvCaption), std::string(kSuggestedCsvName));
    return path && exportPortfolioCsv(portfolio, *path, prompts);
}

bool importPortfolioCsvAsked(Portfolio& portfolio, FileNamePrompt& files, Prompts& prompts,
                             const std::function<void()>& savePortfolio)
{
    const std::optional<std::filesystem::path> path = files.fileToOpen(std::string(kImportCsvCaption));
    return path && importPortfolioCsv(portfolio, *path, prompts, savePortfolio);
}

} // namespace listorix
