#pragma once

#include "alerts/PriceAlert.h"
#include "settings/IniFile.h"

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

class TAlignGrid;

// What a check of one table found: the texts of the alerts that fired, in the
// order of the book, and what went wrong, if anything: a save of the states that
// failed ("Unable to write to <path>"). A state that could not be saved is kept
// and saved with the next change.
struct AlertCheck
{
    std::vector<std::string> fired;
    std::string error;
};

// The price alerts and their states, kept in the section "Avvisi" of the settings
// file (AlertEntry.h gives the form). This is that section's only writer, and it
// touches nothing else: each change rewrites or erases the lines of its own keys
// in place, under the file's lock, so the lines it cannot read stay as they are,
// and so does every other section. A file that cannot be read is never written.
// One alert per security of a table. Main thread only.
class AlertBook final
{
public:
    explicit AlertBook(std::filesystem::path settingsFile);

    // Reads the section anew. The lines that do not give an alert (not in the
    // form, a key or a security met before) are skipped but stay in the file;
    // those not reported before by this book are returned, as listed.
    std::vector<std::string> load();

    const std::vector<PriceAlert>& alerts() const { return m_alerts; }
    const PriceAlert* find(ConnectionId category, std::string_view code) const;

    // Adds the alert, or replaces the one on the same security: a condition whose
    // level did not change keeps its state, the others are armed. The alert must
    // pass alertProblem. Throws FileWriteError when the file cannot be written;
    // nothing changes then.
    void store(const PriceAlert& alert);
    // Deletes the alert on the security; throws FileWriteError as store does.
    void remove(ConnectionId category, std::string_view code);

    // After a live download has rewritten `table`, the quote table of `category`:
    // the marks of the last check on it go, each alert of the category is checked
    // against the first row with its code (price in column "Flash", change in
    // "var.%" where the table has it; a security missing from the table checks
    // nothing), the price cell of each row whose alert fired is marked bold in
    // kAlertColour, and changed states are saved. Never throws. Never call it for
    // the caches replayed at start-up: they are no news.
    AlertCheck checkTable(ConnectionId category, TAlignGrid& table);

private:
    std::size_t indexOf(ConnectionId category, std::string_view code) const;
    std::string freeKey() const;

    IniFile m_file;
    std::vector<PriceAlert> m_alerts;
    std::vector<std::string> m_keys;     // the key of each alert
    std::set<std::string> m_unsavedKeys; // folded keys whose state is not in the file yet
    std::set<std::string> m_reported;    // lines already reported
};

// The lines `load` could not read as a status line says it, for example
// Avvisi: 1 riga del file delle impostazioni non letta, lasciata com'è: "x"
std::string unreadAlertLinesText(const std::vector<std::string>& lines);

} // namespace listorix
