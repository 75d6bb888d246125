#include "settings/SettingsInForce.h"

#include "base/CaseFold.h"
#include "market/QuoteServiceHost.h"
#include "settings/IniFile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <exception>
#include <string_view>

namespace listorix {

namespace {

constexpr int kMaxHours = 23;
constexpr int kMaxMinutes = 55;
constexpr int kMinuteStep = 5;

// A whole decimal number in the 32-bit range, with an optional sign.
bool isWholeNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return false;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::string twoDigits(int value)
{
    return SettingsInForce::EditIndiciOreChange(std::to_string(value));
}

} // namespace

std::string TimeSelector::hoursText() const
{
    return twoDigits(hours);
}

std::string TimeSelector::minutesText() const
{
    return twoDigits(minutes);
}

void TimeSelector::stepHours(int delta)
{
    hours = std::clamp(hours + delta, 0, kMaxHours);
}

void TimeSelector::stepMinutes(int delta)
{
    minutes = std::clamp(minutes + delta * kMinuteStep, 0, kMaxMinutes);
}

SettingsInForce::SettingsInForce(std::filesystem::path settingsFile) : m_settingsFile(std::move(settingsFile))
{
    m_atOpening = m_controls;
}

void SettingsInForce::LoadSettings()
{
    // A file that cannot be read leaves the record and the controls as they are.
    TiniConfig read;
    IniEntries service;
    QuoteSource source = QuoteSource::Csv;
    try {
        ReadConfig(read, m_settingsFile);
        service = IniFile(m_settingsFile).readSection(kServiceSection);
        source = loadQuoteSource(m_settingsFile);
    } catch (...) {
        return;
    }
    m_record = read;
    m_service = std::move(service);
    m_controls.proxy = m_record.proxy;
    CheckBoxProxyClick();
    m_controls.CheckBoxIndiciEnable = m_record.IndiciEnabled;
    m_controls.CheckBoxMIBTELEnable = m_record.MibtelEnabled;
    m_controls.CheckBoxMIB30Enable = m_record.Mib30Enabled;
    m_controls.CheckBoxDerivatiEnable = m_record.DerivatiEnabled;
    m_controls.CheckBoxOBBEnable = m_record.ObbligazioniEnabled;
    m_controls.CheckBoxfondiEnable = m_record.FondiEnabled;
    m_controls.ComboBoxSorgente = source;
}

std::string SettingsInForce::serviceValue(std::string_view key) const
{
    for (const IniEntry& entry : m_service) {
        // Keys match without regard to case, as the file's reader matches them.
        if (textEqualsIgnoringCase(entry.first, key))
            return entry.second;
    }
    return {};
}

std::optional<std::string> SettingsInForce::StoreSettings()
{
    m_record.proxy = m_controls.proxy;
    m_record.IndiciEnabled = m_controls.CheckBoxIndiciEnable;
    m_record.MibtelEnabled = m_controls.CheckBoxMIBTELEnable;
    m_record.Mib30Enabled = m_controls.CheckBoxMIB30Enable;
    m_record.ObbligazioniEnabled = m_controls.CheckBoxOBBEnable;
    m_record.DerivatiEnabled = m_controls.CheckBoxDerivatiEnable;
    m_record.FondiEnabled = m_controls.CheckBoxfondiEnable;
    try {
        WriteConfig(m_record, m_settingsFile);
        writeQuoteSource(m_settingsFile, m_controls.ComboBoxSorgente);
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
    if (m_apply)
        m_apply();
    return std::nullopt;
}

void SettingsInForce::Execute()
{
    LoadSettings();
    m_atOpening = m_controls;
}

void SettingsInForce::BitBtn2Click()
{
    m_controls = m_atOpening;
}

void SettingsInForce::CheckBoxProxyClick()
{
    m_controls.proxyFieldsEnabled = m_controls.proxy.enabled;
}

void SettingsInForce::EditServerProxyPortExit()
{
    // Assigned as one character: GCC 12 at -O2 wrongly warns (-Wrestrict) about
    // assigning the literal here.
    if (!isWholeNumber(m_controls.proxy.port))
        m_controls.proxy.port.assign(1, '0');
}

std::string SettingsInForce::EditIndiciOreChange(std::string text)
{
    while (text.size() < 2)
        text.insert(text.begin(), '0');
    return text;
}

} // namespace listorix
