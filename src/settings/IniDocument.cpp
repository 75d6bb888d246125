#include "settings/IniDocument.h"

#include "base/CaseFold.h"
#include "base/Trim.h"

#include <algorithm>

namespace listorix {

namespace {

constexpr std::string_view kCrlf = "\r\n";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool hasOuterQuotes(std::string_view text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

std::string_view unquote(std::string_view value)
{
    return hasOuterQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

// A line break written raw would start a line of its own (a forged key or
// section), so names and values never carry one into the file.
std::string withoutLineBreaks(std::string_view text)
{
    std::string clean(text);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return clean;
}

std::string cleanName(std::string_view name)
{
    return std::string(trimSpacesAndTabs(withoutLineBreaks(name)));
}

// The value as it has to stand in the file to be read back unchanged.
std::string encodeValue(const std::string& value)
{
    const bool needsQuotes =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || hasOuterQuotes(value));
    return needsQuotes ? '"' + value + '"' : value;
}

} // namespace

IniDocument::IniDocument(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            m_lines.push_back(parseLine(std::string(text.substr(start)), ""));
            break;
        }
        const std::size_t eolLength = text.compare(end, 2, kCrlf) == 0 ? 2 : 1;
        m_lines.push_back(parseLine(std::string(text.substr(start, end - start)),
                                    std::string(text.substr(end, eolLength))));
        start = end + eolLength;
    }
    reindex();
}

IniDocument::Line IniDocument::parseLine(std::string text, std::string eol)
{
    Line line;
    const std::string_view content = trimSpacesAndTabs(text);
    if (content.empty()) {
        line.kind = Kind::Blank;
    } else if (content.front() == ';') {
        line.kind = Kind::Comment;
    } else if (content.front() == '[') {
        // The name ends at the first ']'; a header without one is still a header.
        line.kind = Kind::Header;
        const std::string_view inner = content.substr(1);
        line.name = trimSpacesAndTabs(inner.substr(0, inner.find(']')));
    } else if (const std::size_t equals = content.find('='); equals != std::string_view::npos) {
        line.kind = Kind::Key;
        line.name = trimSpacesAndTabs(content.substr(0, equals));
        line.value = unquote(trimSpacesAndTabs(content.substr(equals + 1)));
    } else {
        line.kind = Kind::Bare;
    }
    line.text = std::move(text);
    line.eol = std::move(eol);
    return line;
}

IniDocument::Line IniDocument::keyLine(const std::string& key, const std::string& value)
{
    Line line;
    line.kind = Kind::Key;
    line.name = key;
    line.value = value;
    line.text = key + '=' + encodeValue(value);
    line.eol = kCrlf;
    return line;
}

void IniDocument::reindex()
{
    m_sections.clear();
    m_firstSection.clear();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Header) {
            if (!m_sections.empty())
                m_sections.back().end = i;
            Section section;
            section.foldedName = foldCase(line.name);
            section.header = i;
            m_firstSection.try_emplace(section.foldedName, m_sections.size());
            m_sections.push_back(std::move(section));
        } else if (line.kind == Kind::Key && !m_sections.empty()) {
            m_sections.back().keys.try_emplace(foldCase(line.name), i);
        }
    }
    if (!m_sections.empty())
        m_sections.back().end = m_lines.size();
}

std::string IniDocument::text() const
{
    std::size_t size = 0;
    for (const Line& line : m_lines)
        size += line.text.size() + line.eol.size();
    std::string text;
    text.reserve(size);
    for (const Line& line : m_lines) {
        text += line.text;
        text += line.eol;
    }
    return text;
}

const IniDocument::Section* IniDocument::findSection(std::string_view section) const
{
    const auto found = m_firstSection.find(foldCase(trimSpacesAndTabs(section)));
    return found == m_firstSection.end() ? nullptr : &m_sections[found->second];
}

bool IniDocument::hasSection(std::string_view section) const
{
    return findSection(section) != nullptr;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    const Section* found = findSection(section);
    if (found == nullptr)
        return std::nullopt;
    const auto line = found->keys.find(foldCase(trimSpacesAndTabs(key)));
    if (line == found->keys.end())
        return std::nullopt;
    return m_lines[line->second].value;
}

IniEntries IniDocument::sectionEntries(std::string_view section) const
{
    IniEntries entries;
    const Section* found = findSection(section);
    if (found == nullptr)
        return entries;
    // Only a key's first line counts: it gives the entry, or none when its
    // value is empty, and later lines of the same key are passed over.
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::Key || line.value.empty())
            continue;
        if (found->keys.at(foldCase(line.name)) == i)
            entries.emplace_back(line.name, line.value);
    }
    return entries;
}

std::vector<std::string> IniDocument::sectionListing(std::string_view section) const
{
    std::vector<std::string> listing;
    const Section* found = findSection(section);
    if (found == nullptr)
        return listing;
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key)
            listing.push_back(line.name + '=' + line.value);
        else if (line.kind == Kind::Bare)
            listing.emplace_back(trimSpacesAndTabs(line.text));
    }
    return listing;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string name = cleanName(section);
    const std::string keyName = cleanName(key);
    const std::string text = withoutLineBreaks(value);

    const Section* found = findSection(name);
    if (found == nullptr) {
        appendSection(name, {{keyName, text}});
        return true;
    }
    if (const auto existing = found->keys.find(foldCase(keyName)); existing != found->keys.end()) {
        Line& line = m_lines[existing->second];
        if (line.value == text)
            return false;
        // The key keeps the spelling it has in the file.
        line = keyLine(line.name, text);
        return true;
    }
    std::size_t after = found->header;
    for (std::size_t i = found->header + 1; i < found->end; ++i) {
        if (m_lines[i].kind == Kind::Key || m_lines[i].kind == Kind::Bare)
            after = i;
    }
    if (m_lines[after].eol.empty())
        m_lines[after].eol = kCrlf;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(after + 1), keyLine(keyName, text));
    reindex();
    return true;
}

bool IniDocument::setValues(std::string_view section, const IniEntries& entries)
{
    bool changed = false;
    for (const auto& [key, value] : entries)
        changed = setValue(section, key, value) || changed;
    return changed;
}

bool IniDocument::eraseSection(std::string_view section)
{
    const std::string folded = foldCase(cleanName(section));
    bool erased = false;
    // From the back, so that the line numbers of earlier copies stay valid.
    for (auto it = m_sections.rbegin(); it != m_sections.rend(); ++it) {
        if (it->foldedName != folded)
            continue;
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(it->header),
                      m_lines.begin() + static_cast<std::ptrdiff_t>(it->end));
        erased = true;
    }
    if (erased)
        reindex();
    return erased;
}

bool IniDocument::eraseKey(std::string_view section, std::string_view key)
{
    const Section* found = findSection(section);
    if (found == nullptr)
        return false;
    const auto line = found->keys.find(foldCase(trimSpacesAndTabs(key)));
    if (line == found->keys.end())
        return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line->second));
    reindex();
    return true;
}

bool IniDocument::replaceSection(std::string_view section, const IniEntries& entries)
{
    if (entries.empty())
        return eraseSection(section);

    const std::string name = cleanName(section);
    IniEntries clean;
    clean.reserve(entries.size());
    for (const auto& [key, value] : entries)
        clean.emplace_back(cleanName(key), withoutLineBreaks(value));

    const Section* found = findSection(name);
    if (found == nullptr) {
        appendSection(name, clean);
        return true;
    }

    const std::string before = text();
    const std::string folded = found->foldedName;
    const std::size_t first = static_cast<std::size_t>(found - m_sections.data());
    for (std::size_t i = m_sections.size(); i-- > first + 1;) {
        if (m_sections[i].foldedName == folded)
            m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(m_sections[i].header),
                          m_lines.begin() + static_cast<std::ptrdiff_t>(m_sections[i].end));
    }

    const std::size_t header = m_sections[first].header;
    const std::size_t end = m_sections[first].end;
    // Blank lines closing the section keep the file's spacing between sections.
    std::size_t bodyEnd = end;
    while (bodyEnd > header + 1 && m_lines[bodyEnd - 1].kind == Kind::Blank)
        --bodyEnd;

    std::vector<Line> body;
    body.reserve(clean.size());
    for (const auto& [key, value] : clean)
        body.push_back(keyLine(key, value));
    if (m_lines[header].eol.empty())
        m_lines[header].eol = kCrlf;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header + 1),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(bodyEnd));
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(header + 1),
                   std::make_move_iterator(body.begin()), std::make_move_iterator(body.end()));
    reindex();
    return text() != before;
}

void IniDocument::appendSection(const std::string& section, const IniEntries& entries)
{
    if (!m_lines.empty() && m_lines.back().eol.empty())
        m_lines.back().eol = kCrlf;
    m_lines.push_back(parseLine('[' + section + ']', std::string(kCrlf)));
    for (const auto& [key, value] : entries)
        m_lines.push_back(keyLine(key, value));
    reindex();
}

} // namespace listorix
