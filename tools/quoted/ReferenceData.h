#pragma once

#include "quoted/Security.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace listorix::quoted {

// The service's reference data: one file per category ("indici.csv", "azioni.csv",
// "obbligazioni.csv", "derivati.csv", "fondi.csv"), lines "symbol;name;price;volume",
// blank lines and lines beginning with "#" ignored. A copy of the shipped files is built
// into the program; another folder can be named instead.
namespace reference {

struct FileKind
{
    std::string_view fileName;
    Category category;
};
inline constexpr FileKind kFiles[] = {{"indici.csv", Category::Index},
                                      {"azioni.csv", Category::Share},
                                      {"obbligazioni.csv", Category::Bond},
                                      {"derivati.csv", Category::Derivative},
                                      {"fondi.csv", Category::Fund}};

// Appends the securities of one file's text; on a malformed line returns
// "source:line: reason" and appends nothing of that text.
std::string parseText(std::string_view text, Category category, std::string_view sourceName,
                      std::vector<Security>& out);

// Loads every file of a folder (each must be there); empty text on success.
std::string loadFolder(const std::filesystem::path& folder, std::vector<Security>& out);
// Loads the copy built into the program.
std::string loadBuiltIn(std::vector<Security>& out);

// Text of a built-in file, empty when there is none of that name.
std::string_view builtInFile(std::string_view fileName);

} // namespace reference
} // namespace listorix::quoted
