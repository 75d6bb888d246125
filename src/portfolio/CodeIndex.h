#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace listorix {

class TAlignGrid;

// The security codes of a table's column 0, indexed once so that each lookup costs
// the same whatever the table's size. A lookup answers what a scan from `firstRow`
// down would: the first row whose code equals the given one without regard to
// letter case (Windows-1252 letters), or none. The index reads the table's cells in
// place: it holds only while the table's texts and size stay as they were.
class CodeIndex final
{
public:
    explicit CodeIndex(const TAlignGrid& table, int firstRow = 0);

    // The row, or -1 when no row from firstRow down holds the code.
    int firstRow(std::string_view code) const;

private:
    struct Slot
    {
        std::uint32_t hash = 0;
        int row = -1; // -1: empty slot
    };

    std::size_t slotOf(std::string_view code, std::uint32_t hash) const;

    const TAlignGrid& m_table;
    std::vector<Slot> m_slots; // open addressing, a power of two, at most half full
    std::size_t m_mask = 0;
};

} // namespace listorix
