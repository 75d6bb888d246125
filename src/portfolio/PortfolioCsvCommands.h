#pragma once

#include "portfolio/PortfolioCsv.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

class FileNamePrompt;
class Portfolio;
class Prompts;
class TAlignGrid;

inline constexpr std::string_view kExportCsvCaption = "Esporta portafoglio (CSV)";
inline constexpr std::string_view kImportCsvCaption = "Importa portafoglio (CSV)";
inline constexpr std::string_view kSuggestedCsvName = "portafoglio.csv";
// Bad lines beyond this many are counted, not listed.
inline constexpr int kMostBadLinesListed = 20;

// "Esporta portafoglio (CSV)...": the portfolio's rows into the file at `path`
// (PortfolioCsv.h gives the form), replaced whole or not at all. A file that
// cannot be written is told in a warning; false then.
bool exportPortfolioCsv(const TAlignGrid& portfolio, const std::filesystem::path& path, Prompts& prompts);

// "Importa portafoglio (CSV)...": reads the whole file at `path` first; every bad
// line is told by its number in one warning; then, when there are good lines, the
// user is asked "Confermi l'importazione di N righe?", and only on Yes are they
// appended (importPortfolioRows), the portfolio revalued and `savePortfolio`
// called (the portfolio saved as on closing; what it throws is told in a warning).
// A file that cannot be read or holds no rows is told; nothing changes then.
// True when rows were imported.
bool importPortfolioCsv(Portfolio& portfolio, const std::filesystem::path& path, Prompts& prompts,
                        const std::function<void()>& savePortfolio);

// The menu entries: the file dialog first (nothing when the user cancels), then
// the command above.
bool exportPortfolioCsvAsked(const TAlignGrid& portfolio, FileNamePrompt& files, Prompts& prompts);
bool importPortfolioCsvAsked(Portfolio& portfolio, FileNamePrompt& files, Prompts& prompts,
                             const std::function<void()>& savePortfolio);

// The warning that lists the bad lines, CR between lines.
std::string badLinesText(const std::filesystem::path& path, const std::vector<PortfolioCsvBadLine>& badLines);

} // namespace listorix
