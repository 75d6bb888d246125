#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

class TAlignGrid;

// A set of security codes that match without regard to letter case (Windows-1252
// letters), each with a number: the order in which it first came. Lookups cost the
// same whatever the number of codes.
class CodeIndex final
{
public:
    CodeIndex() = default;

    // The code's number; a code equal to one already in keeps that one's number.
    int insert(std::string_view code);
    // The number of the code equal to `code`, or -1.
    int find(std::string_view code) const;
    int size() const { return static_cast<int>(m_codes.size()); }

private:
    struct Slot
    {
        std::uint32_t hash = 0;
        int id = -1; // -1: empty slot
    };

    std::size_t slotOf(std::string_view code, std::uint32_t hash) const;
    void grow();

    std::vector<std::string> m_codes; // folded, by number
    std::vector<Slot> m_slots;        // open addressing, a power of two, at most a quarter full
};

// For each code of `codes`, by number, the first row of `table` from the top, header
// row included, whose code (column 0) equals it without regard to case; -1 when no
// row does. One pass down the table, ending once every code has its row.
std::vector<int> firstRowsOf(const TAlignGrid& table, const CodeIndex& codes);

} // namespace listorix
