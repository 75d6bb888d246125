#pragma once

#include "base/Colour.h"

#include <optional>
#include <string>

namespace listorix {

enum class Alignment
{
    Left,
    Right,
    Center
};

// A font as a table paints it. An empty name stands for the view's default family.
struct Font
{
    std::string name;
    int size = 8; // points
    TColor color = clBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const Font&) const = default;
};

// The display settings of one level of a table (a cell, a column, a row). A setting
// left empty defers to the next level: cell, then column, then row, then the table.
struct PropertySet
{
    std::optional<Alignment> alignment;
    std::optional<bool> wordwrap;
    std::optional<bool> editable;
    std::optional<TColor> color; // background
    std::optional<Font> font;

    bool operator==(const PropertySet&) const = default;
};

} // namespace listorix
