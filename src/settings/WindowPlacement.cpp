#include "settings/WindowPlacement.h"

#include "settings/IniFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace listorix {

namespace {

// The system's show states and the flag of a window minimised from maximised.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kRestoreToMaximized = 2;

std::optional<std::array<int, 4>> parseFour(std::string_view text)
{
    std::array<int, 4> values{};
    for (std::size_t k = 0; k < values.size(); ++k) {
        const std::size_t comma = text.find(',');
        const std::string_view field = text.substr(0, comma);
        const auto result = std::from_chars(field.data(), field.data() + field.size(), values[k]);
        if (field.empty() || result.ec != std::errc{} || result.ptr != field.data() + field.size())
            return std::nullopt;
        if ((comma == std::string_view::npos) != (k + 1 == values.size()))
            return std::nullopt;
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    return values;
}

std::string joinFour(int a, int b, int c, int d)
{
    return std::to_string(a) + ',' + std::to_string(b) + ',' + std::to_string(c) + ',' + std::to_string(d);
}

bool withinReach(const WindowRect& window, const WindowRect& screen)
{
    const int overlap = std::min(window.right, screen.right) - std::max(window.left, screen.left);
    return window.top >= screen.top && window.top + kReachableHeight <= screen.bottom &&
           overlap >= std::min(kReachableWidth, window.width());
}

} // namespace

std::optional<WindowPlacement> readWindowPlacement(const IniFile& file)
{
    const std::optional<std::array<int, 4>> normal = parseFour(file.readString(kWindowSection, "NormPos"));
    if (!normal || (*normal)[2] <= (*normal)[0] || (*normal)[3] <= (*normal)[1])
        return std::nullopt;
    WindowPlacement placement;
    placement.normal = {(*normal)[0], (*normal)[1], (*normal)[2], (*normal)[3]};
    const int show = file.readInteger(kWindowSection, "ShowCmd", kShowNormal);
    const int flags = file.readInteger(kWindowSection, "Flags", 0);
    placement.maximized =
        show == kShowMaximized || (show == kShowMinimized && (flags & kRestoreToMaximized) != 0);
    placement.pixelsPerInch = file.readInteger(kWindowSection, "PixelsPerInch", placement.pixelsPerInch);
    return placement;
}

void writeWindowPlacement(IniFile& file, const WindowPlacement& placement)
{
    const WindowRect& r = placement.normal;
    file.writeValues(kWindowSection,
                     {
                         {"FormVersion", "0"},
                         {"Flags", "0"},
                         {"ShowCmd", std::to_string(placement.maximized ? kShowMaximized : kShowNormal)},
                         {"PixelsPerInch", std::to_string(placement.pixelsPerInch)},
                         {"MinMaxPos", joinFour(-1, -1, -1, -1)},
                         {"NormPos", joinFour(r.left, r.top, r.right, r.bottom)},
                         {"Visible", "1"},
                     });
}

WindowRect bringWithinReach(const WindowRect& window, const std::vector<WindowRect>& screens,
                            const WindowRect& primary)
{
    if (std::any_of(screens.begin(), screens.end(),
                    [&](const WindowRect& screen) { return withinReach(window, screen); }))
        return window;
    const int width = std::min(window.width(), primary.width());
    const int height = std::min(window.height(), primary.height());
    const int left = primary.left + (primary.width() - width) / 2;
    const int top = primary.top + (primary.height() - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace listorix
