#include "settings/IniFile.h"

#include "settings/FileLock.h"
#include "settings/QuoteSourceSetting.h"

#include <charconv>
#include <optional>
#include <system_error>
#include <utility>

namespace listorix {

namespace {

std::string capped(std::string value)
{
    if (value.size() > IniFile::kMaxValueLength)
        value.resize(IniFile::kMaxValueLength);
    return value;
}

} // namespace

IniFile::IniFile(std::filesystem::path path) : m_path(std::move(path)) {}

bool IniFile::load(const FileContents& contents) const
{
    switch (contents.outcome) {
    case FileContents::Outcome::Read:
        m_document = IniDocument(contents.bytes);
        m_loadedState = contents.state;
        return true;
    case FileContents::Outcome::Missing:
        m_document = IniDocument();
        m_loadedState = FileState();
        return true;
    case FileContents::Outcome::Unreadable:
        break;
    }
    // Defaults for every key, and another try at the next look.
    m_document = IniDocument();
    m_loadedState.reset();
    return false;
}

const IniDocument& IniFile::document() const
{
    if (m_loadedState != FileState::at(m_path))
        load(readRegularFile(m_path, kMaxFileBytes));
    return m_document;
}

template <typename Edit>
void IniFile::edit(Edit&& change)
{
    const std::filesystem::path target = followLinks(m_path);
    std::optional<FileLock> lock;
    try {
        lock.emplace(target);
    } catch (const std::system_error& error) {
        throw FileWriteError(m_path, error.what());
    }
    // Under the lock the file is read afresh, whatever the cache says: another
    // writer may have replaced it, or changed it in place keeping its size and
    // time stamp. The change applies to what is on disk now.
    const FileContents current = readRegularFile(target, kMaxFileBytes);
    if (!load(current))
        throw FileWriteError(m_path, "cannot be read: " + current.reason);
    IniDocument next = m_document;
    // A write that creates the settings file of a first start brings what that
    // start put in force (QuoteSourceSetting).
    if (current.outcome == FileContents::Outcome::Missing)
        addFirstStartValues(target, next);
    if (!change(next))
        return;
    const FileState written = writeFileAtomically(m_path, next.text());
    m_document = std::move(next);
    m_loadedState = written;
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

std::vector<std::string> IniFile::readSectionListing(std::string_view section) const
{
    std::vector<std::string> listing = document().sectionListing(section);
    for (std::string& line : listing) {
        // The value is what may run long; the key before it is kept whole.
        const std::size_t equals = line.find('=');
        const std::size_t keep = equals == std::string::npos ? 0 : equals + 1;
        if (line.size() > keep + kMaxValueLength)
            line.resize(keep + kMaxValueLength);
    }
    return listing;
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

void IniFile::eraseKey(std::string_view section, std::string_view key)
{
    edit([&](IniDocument& doc) { return doc.eraseKey(section, key); });
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
