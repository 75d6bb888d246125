#pragma once

#include <filesystem>

class QWidget;

namespace listorix {

// FormPlacement1: the main window's position, size and maximised state kept in the
// section "Window" of the settings file.
class WindowPlacementKeeper final
{
public:
    explicit WindowPlacementKeeper(std::filesystem::path settingsFile) : m_file(std::move(settingsFile)) {}

    // Puts the window where it was saved, brought back onto the primary screen when
    // it would be off every screen; a window never saved gets its design size
    // centred on the primary screen. True when it was saved maximised.
    bool restore(QWidget& window) const;
    // Writes the window's normal rectangle and maximised state. A file that cannot
    // be written is reported on standard error; the program goes on.
    void save(const QWidget& window) const;

private:
    std::filesystem::path m_file;
};

} // namespace listorix
