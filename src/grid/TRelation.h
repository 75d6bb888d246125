#pragma once

#include <string_view>

namespace listorix {

// The answer of a table comparison about two rows, with the codes the comparison
// handlers return.
enum class TRelation : int
{
    Greater = 0, // the value in the first row is greater
    Equal = 1,
    Less = 2 // the value in the first row is less
};

// Ordinal comparison by character code (bytes as unsigned, case-sensitive); a text
// that is a prefix of the other is the smaller.
inline TRelation compareTexts(std::string_view first, std::string_view second)
{
    const int order = first.compare(second);
    return order < 0 ? TRelation::Less : order > 0 ? TRelation::Greater : TRelation::Equal;
}

} // namespace listorix
