#pragma once

#include "base/AtomicFile.h"
#include "settings/IniDocument.h"
#include "settings/ReadRegularFile.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// An INI file on disk, read and written with the rules of IniDocument.
//
// Reading: the file's text is read once and kept while the object lives; it is
// read again only when the file on disk has changed meanwhile (another writer),
// so reading many values costs one read of the file. A missing file reads as
// empty. So does one that is there but cannot be read (no rights, a read error,
// a directory, a FIFO, a device, a file beyond kMaxFileBytes): reading never
// fails, every key takes its default, and it is read again at the next look.
// Reading never creates the file.
//
// Writing: several writers (a second copy of the program, a tool) may share the
// file, each owning its own sections. Every write takes an exclusive lock beside
// the file (FileLock), reads the file afresh under it, applies its own change to
// what it found and replaces the file at once (writeFileAtomically), so no
// writer's change is lost to another's. It reaches the disk before the call
// returns. A file that cannot be read is never written: its contents are not
// known, and writing would lose them. A write that fails throws FileWriteError
// ("Unable to write to <path>") and leaves the file as it was. A write that
// changes nothing does not touch the file.
class IniFile final
{
public:
    // Values longer than this are cut when read.
    static constexpr std::size_t kMaxValueLength = 2047;
    // Far beyond any real settings file; anything larger counts as unreadable.
    static constexpr std::size_t kMaxFileBytes = 16u * 1024 * 1024;

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
    // Every key and bare line of the section as IniDocument::sectionListing
    // gives them, values cut as above.
    std::vector<std::string> readSectionListing(std::string_view section) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    // Several keys of one section in a single replacement of the file.
    void writeValues(std::string_view section, const IniEntries& entries);
    void eraseSection(std::string_view section);
    void eraseKey(std::string_view section, std::string_view key);
    // Erasing the section and writing `entries` into it, in one replacement.
    void replaceSection(std::string_view section, const IniEntries& entries);
    // Erasing the section and then writing `entries` key by key, in one
    // replacement: the section ends up anew at the end of the file. No entries
    // leaves it erased.
    void rewriteSection(std::string_view section, const IniEntries& entries);

private:
    const IniDocument& document() const;
    // Takes what a read of the file gave; false when it could not be read.
    bool load(const FileContents& contents) const;
    template <typename Edit>
    void edit(Edit&& change);

    std::filesystem::path m_path;
    mutable IniDocument m_document;
    // The state of the file m_document holds; nothing when it is not known to
    // hold the file (never read, or unreadable at the last look).
    mutable std::optional<FileState> m_loadedState;
};

} // namespace listorix
