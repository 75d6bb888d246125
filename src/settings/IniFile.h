#pragma once

#include "base/AtomicFile.h"
#include "settings/IniDocument.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace listorix {

// An INI file on disk, read and written with the rules of IniDocument.
//
// The file's text is read once and kept while the object lives; it is read
// again only when the file on disk has changed meanwhile (another writer), so
// reading many values costs one read of the file. Every write replaces the file
// at once (writeFileAtomically) with only its own lines changed, and reaches
// the disk before the call returns. A write that fails throws FileWriteError
// ("Unable to write to <path>") and leaves both the file and this object as
// they were. A write that changes nothing does not touch the file. Reading
// never creates the file.
class IniFile final
{
public:
    // Values longer than this are cut when read.
    static constexpr std::size_t maxValueLength = 2047;

    explicit IniFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return m_path; }

    bool sectionExists(std::string_view section) const;
    // Nothing when the section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback = {}) const;
    // The value as a decimal integer; `fallback` when it is missing or is not
    // a whole number in range.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;
    // Entries in file order; empty values left out, a repeated key once.
    IniEntries readSection(std::string_view section) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Several keys of one section in a single replacement of the file.
    void writeValues(std::string_view section, const IniEntries& entries);
    void eraseSection(std::string_view section);
    // Erasing the section and writing `entries` into it, in one replacement.
    void replaceSection(std::string_view section, const IniEntries& entries);
    // Erasing the section and then writing `entries` key by key, in one
    // replacement: the section ends up anew at the end of the file. No entries
    // leaves it erased.
    void rewriteSection(std::string_view section, const IniEntries& entries);

private:
    struct FileState
    {
        bool exists = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t modifiedSeconds = 0;
        std::int64_t modifiedNanoseconds = 0;
        bool operator==(const FileState&) const = default;
    };

    FileState currentState() const;
    const IniDocument& document() const;
    template <typename Edit>
    void edit(Edit&& change);

    std::filesystem::path m_path;
    mutable IniDocument m_document;
    mutable std::optional<FileState> m_loadedState;
};

} // namespace listorix
