#include "settings/IniFile.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <utility>

namespace listorix {

namespace {

std::string capped(std::string value)
{
    if (value.size() > IniFile::kMaxValueLength)
        value.resize(IniFile::kMaxValueLength);
    return value;
}

// An unreadable file reads like a missing one: every key takes its default.
std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

IniFile::IniFile(std::filesystem::path path) : m_path(std::move(path)) {}

IniFile::FileState IniFile::currentState() const
{
    struct stat info = {};
    if (::stat(m_path.c_str(), &info) != 0)
        return {};
    return {true,
            static_cast<std::uint64_t>(info.st_dev),
            static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec),
            static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

const IniDocument& IniFile::document() const
{
    const FileState state = currentState();
    if (m_loadedState != state) {
        m_document = state.exists ? IniDocument(readAll(m_path)) : IniDocument();
        m_loadedState = state;
    }
    return m_document;
}

template <typename Edit>
void IniFile::edit(Edit&& change)
{
    IniDocument next = document();
    if (!change(next))
        return;
    writeFileAtomically(m_path, next.text());
    m_document = std::move(next);
    m_loadedState = currentState();
}

bool IniFile::sectionExists(std::string_view section) const
{
    return document().hasSection(section);
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    std::optional<std::string> found = document().value(section, key);
    if (found)
        return capped(std::move(*found));
    return found;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const
{
    std::optional<std::string> found = value(section, key);
    return found ? std::move(*found) : std::string(fallback);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const
{
    const std::optional<std::string> found = value(section, key);
    if (!found)
        return fallback;
    std::string_view text = *found;
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return fallback;
    }
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return fallback;
    return number;
}

IniEntries IniFile::readSection(std::string_view section) const
{
    IniEntries entries = document().sectionEntries(section);
    for (auto& entry : entries)
        entry.second = capped(std::move(entry.second));
    return entries;
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    edit([&](IniDocument& doc) { return doc.setValue(section, key, value); });
}

void IniFile::writeValues(std::string_view section, const IniEntries& entries)
{
    edit([&](IniDocument& doc) { return doc.setValues(section, entries); });
}

void IniFile::eraseSection(std::string_view section)
{
    edit([&](IniDocument& doc) { return doc.eraseSection(section); });
}

void IniFile::replaceSection(std::string_view section, const IniEntries& entries)
{
    edit([&](IniDocument& doc) { return doc.replaceSection(section, entries); });
}

void IniFile::rewriteSection(std::string_view section, const IniEntries& entries)
{
    edit([&](IniDocument& doc) {
        const bool erased = doc.eraseSection(section);
        // Once erased the section is new, so it is appended whole.
        const bool written = doc.replaceSection(section, entries);
        return erased || written;
    });
}

} // namespace listorix
