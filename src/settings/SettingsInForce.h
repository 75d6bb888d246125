#pragma once

#include "base/ProxySettings.h"
#include "settings/IniDocument.h"
#include "settings/QuoteSourceSetting.h"
#include "settings/TiniConfig.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace listorix {

// One time selector of the configuration dialog: an hours field (0 to 23) and a
// minutes field (0 to 55 in steps of 5), moved only by their up-down controls and
// always shown with two digits. Shown only: nothing reads them.
struct TimeSelector
{
    int hours = 0;
    int minutes = 5;

    // "00" to "23" and "00" to "55".
    std::string hoursText() const;
    std::string minutesText() const;
    // One step of the up-down controls (delta +1 or -1), held at the ends.
    void stepHours(int delta);
    void stepMinutes(int delta);

    bool operator==(const TimeSelector&) const = default;
};

// The rows of the dialog, top to bottom: "Indici", "MIB30", "MIBTEL",
// "Obbligazioni", "Derivati", "Fondi".
enum class SelectorRow
{
    Indici,
    MIB30,
    MIBTEL,
    Obbligazioni,
    Derivati,
    Fondi,
};

// The controls of the configuration dialog TFormConfigura, as it shows them.
struct ConfigurationControls
{
    // CheckBoxProxy and the fields EditServerProxyAddress, EditServerProxyPort,
    // EditServerProxyUsername and EditServerProxyPassword, in the one shape the
    // quote requests, the web source and the browser take the proxy in.
    ProxySettings proxy;
    // GroupBoxProxy and the four proxy fields are enabled exactly when the proxy
    // is checked (CheckBoxProxyClick's rule).
    bool proxyFieldsEnabled = false;

    // Checked at design.
    bool CheckBoxIndiciEnable = true;
    bool CheckBoxMIB30Enable = true;
    bool CheckBoxMIBTELEnable = true;
    bool CheckBoxOBBEnable = true;
    bool CheckBoxDerivatiEnable = true;
    bool CheckBoxfondiEnable = true;

    // "Sorgente dati", below the proxy group: where the quotes come from (key
    // "SORGENTE" of "SERVIZIO"); it takes effect at the next request.
    QuoteSource ComboBoxSorgente = QuoteSource::Csv;

    std::array<TimeSelector, 6> selectors{};
    TimeSelector& selector(SelectorRow row) { return selectors[static_cast<std::size_t>(row)]; }
    const TimeSelector& selector(SelectorRow row) const { return selectors[static_cast<std::size_t>(row)]; }

    bool operator==(const ConfigurationControls&) const = default;
};

// The settings in force, held here and nowhere else: the configuration dialog's
// controls, which the program reads (the proxy and the source when each request
// starts, the check boxes when they are applied), the settings record behind them,
// the service's keys, and the settings file they are loaded from and stored to.
// The dialog's window edits `controls()` as the user types (what it shows is in
// force at once; "Annulla" takes it back) and calls the handlers; the program
// applies them through the apply routine it sets.
//
// The keys of section "SERVIZIO" that no control shows (HOST, the web source's
// WEB_* addresses) are settings in force too: loaded with the others at start-up
// and each time the dialog opens, not read from the file at every request, so a
// hand edit of the file takes effect at the next start or opening of the dialog.
// Main thread only.
class SettingsInForce final
{
public:
    explicit SettingsInForce(std::filesystem::path settingsFile);
    SettingsInForce(const SettingsInForce&) = delete;
    SettingsInForce& operator=(const SettingsInForce&) = delete;

    ConfigurationControls& controls() { return m_controls; }
    const ConfigurationControls& controls() const { return m_controls; }
    // The settings record, as last read or stored.
    const TiniConfig& record() const { return m_record; }
    // A key of section "SERVIZIO" as last loaded (empty when missing); each user
    // reads its own keys (HOST, WEB_*).
    std::string serviceValue(std::string_view key) const;
    const std::filesystem::path& settingsFile() const { return m_settingsFile; }

    // What ApplySettings does: the program's routine that puts the check boxes into
    // force on the connections and the pages.
    void setApplySettings(std::function<void()> apply) { m_apply = std::move(apply); }

    // File -> record -> controls: the proxy check box and fields (then the enabling
    // rule), the six check boxes and the quote source; and the keys of "SERVIZIO".
    // The time selectors are not touched. A file that cannot be read changes nothing.
    void LoadSettings();
    // Controls -> record -> file, then ApplySettings. When the file cannot be
    // written the record and the controls keep the new values, nothing is applied,
    // and the error text ("Unable to write to <path>") is returned.
    std::optional<std::string> StoreSettings();

    // The dialog opens ("Configurazione"): LoadSettings, and the controls as they
    // then stand are kept for Annulla.
    void Execute();
    // "OK": StoreSettings.
    std::optional<std::string> BitBtn1Click() { return StoreSettings(); }
    // "Annulla" or the close box: the controls go back to what they were when the
    // dialog opened, so nothing typed and cancelled stays in force.
    void BitBtn2Click();

    // The proxy fields are enabled exactly when "Proxy Server" is checked.
    void CheckBoxProxyClick();
    // The port field loses the focus: a text that is not a whole number becomes "0".
    void EditServerProxyPortExit();
    // The selectors' rule: a "0" goes in front while the text is shorter than two.
    static std::string EditIndiciOreChange(std::string text);
    static std::string EditIndiciMinutiChange(std::string text)
    {
        return EditIndiciOreChange(std::move(text));
    }

private:
    std::filesystem::path m_settingsFile;
    ConfigurationControls m_controls;
    ConfigurationControls m_atOpening;
    TiniConfig m_record;
    IniEntries m_service;
    std::function<void()> m_apply;
};

} // namespace listorix
