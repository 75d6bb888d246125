#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace listorix {

// One key and its value as a section holds them, in file order.
using IniEntry = std::pair<std::string, std::string>;
using IniEntries = std::vector<IniEntry>;

// The text of an INI file in memory, read and edited the way the Windows
// private-profile functions treat such files, so that files written by the
// Windows program read the same here and files written here read the same
// there:
// - section and key names match without regard to case (Windows-1252 letters);
// - names and values are trimmed of spaces and tabs, and one pair of matching
//   outer quotes (" or ') is taken off a value;
// - lines starting with ';' are comments, lines without '=' are no keys, lines
//   before the first section belong to none; CR LF, LF and CR all end a line;
// - of a section or key that stands twice, the first counts.
// Edits change only the lines they concern; every other byte stays as it was.
// Lines written here end with CR LF.
class IniDocument final
{
public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    std::string text() const;

    bool hasSection(std::string_view section) const;
    // The value of the key, or nothing when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // The keys of the section in file order with their values; a key with an
    // empty value is left out and a key that stands twice gives one entry,
    // with the first value, at its first place.
    IniEntries sectionEntries(std::string_view section) const;
    // Every line of the section that is a key or a bare line, in file order, as
    // Windows lists a whole section: "key=value" with the name and value as read
    // (trimmed, unquoted), a key that stands twice and a key with an empty value
    // included; a line without "=" as its trimmed text. Comments and blank lines
    // are left out. For a reader that must account for every line it meets.
    std::vector<std::string> sectionListing(std::string_view section) const;

    // Each edit returns whether the text changed.
    //
    // An existing key is rewritten in place, keeping its spelling; a new key
    // follows the last key of its section; a new section goes to the end of
    // the text. Line breaks in names and values become spaces, and a value that
    // would not read back unchanged (outer blanks, outer matching quotes) is
    // written in quotes.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);
    bool setValues(std::string_view section, const IniEntries& entries);
    // Removes every copy of the section, its header and all its lines.
    bool eraseSection(std::string_view section);
    // Removes the key's line, the first one where the key stands twice (as
    // Windows deletes a key); every other line stays.
    bool eraseKey(std::string_view section, std::string_view key);
    // The section afterwards holds exactly `entries`, in order, where its first
    // copy stood (at the end when it is new); other copies go. No entries
    // removes the section.
    bool replaceSection(std::string_view section, const IniEntries& entries);

private:
    enum class Kind
    {
        Blank,
        Comment,
        Header,
        Key,
        Bare
    };
    struct Line
    {
        std::string text; // without its line end
        std::string eol;  // "\r\n", "\n", "\r" or "" on a last line without one
        Kind kind = Kind::Blank;
        std::string name;  // section name of a header, key name of a key
        std::string value; // trimmed and unquoted value of a key
    };
    struct Section
    {
        std::string foldedName;
        std::size_t header = 0;
        std::size_t end = 0;                               // one past its last line
        std::unordered_map<std::string, std::size_t> keys; // folded key -> its first line
    };

    static Line parseLine(std::string text, std::string eol);
    static Line keyLine(const std::string& key, const std::string& value);
    const Section* findSection(std::string_view section) const;
    void appendSection(const std::string& section, const IniEntries& entries);
    void reindex();

    std::vector<Line> m_lines;
    std::vector<Section> m_sections; // every section in file order, copies included
    std::unordered_map<std::string, std::size_t> m_firstSection; // folded name -> index into m_sections
};

} // namespace listorix
