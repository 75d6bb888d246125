#include "fetch/CacheFile.h"

#include "base/AtomicFile.h"

#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace listorix {

bool readCacheFile(const std::filesystem::path& path, LineList& lines)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return false;
    appendLines(text, lines);
    return true;
}

void writeCacheFile(const std::filesystem::path& path, const LineList& lines)
{
    std::string text;
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    // A cache is written again by the next answer: a power cut may cost the
    // newest one, never leave half of it.
    writeFileAtomically(path, text, Durability::ContentOnly);
}

} // namespace listorix
