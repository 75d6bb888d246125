#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace listorix {

class IniFile;

inline constexpr std::string_view kWindowSection = "Window";

// A rectangle in screen pixels; right and bottom lie just outside it.
struct WindowRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const WindowRect&) const = default;
};

// Where the main window stands, as the section "Window" of the settings file keeps
// it: the normal (not maximised) rectangle and whether it was maximised. The keys
// are FormVersion, Flags, ShowCmd, PixelsPerInch, MinMaxPos, NormPos and Visible.
struct WindowPlacement
{
    WindowRect normal;
    bool maximized = false;
    int pixelsPerInch = 96;

    bool operator==(const WindowPlacement&) const = default;
};

// The placement saved in the file; none when the section holds no usable normal
// rectangle (missing, not four whole numbers, or empty). A window saved while
// minimised comes back normal, or maximised when it was maximised before.
std::optional<WindowPlacement> readWindowPlacement(const IniFile& file);
// Writes every key of the section in one replacement of the file; other sections
// stay as they are. Throws FileWriteError when the file cannot be written.
void writeWindowPlacement(IniFile& file, const WindowPlacement& placement);

// A window is within reach when the strip along its top edge lies on a screen
// with at least this much of its width.
inline constexpr int kReachableWidth = 48;
inline constexpr int kReachableHeight = 24;

// The rectangle itself when it is within reach on one of the screens; otherwise
// the same size (no larger than the primary screen) centred on the primary screen.
WindowRect bringWithinReach(const WindowRect& window, const std::vector<WindowRect>& screens,
                            const WindowRect& primary);

} // namespace listorix
