#include "alerts/AlertBook.h"

#include "alerts/AlertEntry.h"
#include "alerts/AlertTarget.h"
#include "base/CaseFold.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteColumns.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace listorix {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

std::optional<std::int64_t> keyNumber(std::string_view key)
{
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
    if (key.empty() || error != std::errc() || end != key.data() + key.size())
        return std::nullopt;
    return number;
}

bool isMark(const PropertySet* set)
{
    return set != nullptr && set->font && set->font->bold && set->font->color == kAlertColour;
}

} // namespace

AlertBook::AlertBook(std::filesystem::path settingsFile) : m_file(std::move(settingsFile)) {}

std::vector<std::string> AlertBook::load()
{
    m_alerts.clear();
    m_keys.clear();
    m_unsavedKeys.clear();
    std::vector<std::string> unread;
    std::set<std::string> keysSeen;
    for (const std::string& line : m_file.readSectionListing(kAlertsSection)) {
        const std::size_t equals = line.find('=');
        std::optional<PriceAlert> alert;
        // Only the first line of a key is the key's: writes would land on it.
        if (equals != std::string::npos && keysSeen.insert(foldCase(line.substr(0, equals))).second)
            alert = decodeAlertEntry(std::string_view(line).substr(equals + 1));
        if (alert && indexOf(alert->category, alert->code) == kNone) {
            m_keys.push_back(line.substr(0, equals));
            m_alerts.push_back(std::move(*alert));
        } else if (m_reported.insert(line).second) {
            unread.push_back(line);
        }
    }
    return unread;
}

std::size_t AlertBook::indexOf(ConnectionId category, std::string_view code) const
{
    for (std::size_t i = 0; i < m_alerts.size(); ++i) {
        if (m_alerts[i].category == category && textEqualsIgnoringCase(m_alerts[i].code, code))
            return i;
    }
    return kNone;
}

const PriceAlert* AlertBook::find(ConnectionId category, std::string_view code) const
{
    const std::size_t at = indexOf(category, code);
    return at == kNone ? nullptr : &m_alerts[at];
}

std::string AlertBook::freeKey() const
{
    // Past every number in use, the lines this book could not read included.
    std::int64_t highest = 0;
    for (const std::string& line : m_file.readSectionListing(kAlertsSection))
        highest = std::max(highest, keyNumber(std::string_view(line).substr(0, line.find('='))).value_or(0));
    for (const std::string& key : m_keys)
        highest = std::max(highest, keyNumber(key).value_or(0));
    return std::to_string(highest + 1);
}

void AlertBook::store(const PriceAlert& alert)
{
    PriceAlert next = alert;
    const std::size_t at = indexOf(alert.category, alert.code);
    for (const AlertCondition condition : kAlertConditions) {
        AlertRule& rule = next.rule(condition);
        const bool sameLevel = at != kNone && m_alerts[at].rule(condition).level == rule.level;
        rule.state = sameLevel ? m_alerts[at].rule(condition).state : AlertState::Armed;
    }
    const std::string key = at != kNone ? m_keys[at] : freeKey();
    m_file.writeString(kAlertsSection, key, encodeAlertEntry(next));
    if (at != kNone) {
        m_alerts[at] = std::move(next);
    } else {
        m_alerts.push_back(std::move(next));
        m_keys.push_back(key);
    }
    m_unsavedKeys.erase(foldCase(key));
}

void AlertBook::remove(ConnectionId category, std::string_view code)
{
    const std::size_t at = indexOf(category, code);
    if (at == kNone)
        return;
    m_file.eraseKey(kAlertsSection, m_keys[at]);
    m_unsavedKeys.erase(foldCase(m_keys[at]));
    m_alerts.erase(m_alerts.begin() + static_cast<std::ptrdiff_t>(at));
    m_keys.erase(m_keys.begin() + static_cast<std::ptrdiff_t>(at));
}

AlertCheck AlertBook::checkTable(ConnectionId category, TAlignGrid& table)
{
    AlertCheck result;
    try {
        const auto batch = table.batchChanges();
        for (int row = 1; row < table.rowCount(); ++row) {
            if (isMark(table.findPropCell(QuoteColumn::Flash, row)))
                table.changePropCell(QuoteColumn::Flash, row, [](PropertySet& set) { set.font.reset(); });
        }
        const int changeColumn = changeColumnOf(category);
        for (std::size_t i = 0; i < m_alerts.size(); ++i) {
            PriceAlert& alert = m_alerts[i];
            if (alert.category != category)
                continue;
            const int row = rowOfCode(table, alert.code);
            if (row < 1)
                continue;
            const PriceAlert before = alert;
            std::vector<std::string> fired =
                checkAlert(alert, table.cell(QuoteColumn::Flash, row),
                           changeColumn >= 0 ? table.cell(changeColumn, row) : std::string());
            if (!fired.empty()) {
                table.changeFontCell(QuoteColumn::Flash, row, [](Font& font) {
                    font.bold = true;
                    font.color = kAlertColour;
                });
            }
            result.fired.insert(result.fired.end(), std::make_move_iterator(fired.begin()),
                                std::make_move_iterator(fired.end()));
            if (alert != before)
                m_unsavedKeys.insert(foldCase(m_keys[i]));
        }
    } catch (const std::exception& error) {
        result.error = error.what();
        return result;
    }

    if (m_unsavedKeys.empty())
        return result;
    try {
        IniEntries entries;
        for (std::size_t i = 0; i < m_alerts.size(); ++i) {
            if (m_unsavedKeys.count(foldCase(m_keys[i])) > 0)
                entries.emplace_back(m_keys[i], encodeAlertEntry(m_alerts[i]));
        }
        m_file.writeValues(kAlertsSection, entries);
        m_unsavedKeys.clear();
    } catch (const std::exception& error) {
        result.error = error.what();
    }
    return result;
}

std::string unreadAlertLinesText(const std::vector<std::string>& lines)
{
    if (lines.empty())
        return {};
    std::string text =
        std::string(kAlertsSection) + ": " + std::to_string(lines.size()) +
        (lines.size() == 1 ? " riga del file delle impostazioni non letta, lasciata com'\xE8: "
                           : " righe del file delle impostazioni non lette, lasciate come sono: ");
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i > 0 ? "; \"" : "\"") + lines[i] + '"';
    return text;
}

} // namespace listorix
