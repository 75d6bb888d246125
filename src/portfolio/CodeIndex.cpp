#include "portfolio/CodeIndex.h"

#include "settings/CaseFold.h"
#include "ui/TAlignGrid.h"

#include <algorithm>

namespace listorix {

namespace {

// FNV-1a over the folded bytes, so codes that differ only in case hash alike.
std::uint32_t foldedHash(std::string_view code)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : code) {
        hash ^= static_cast<unsigned char>(foldCase(c));
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

CodeIndex::CodeIndex(const TAlignGrid& table, int firstRow) : m_table(table)
{
    const int first = std::max(firstRow, 0);
    const std::size_t rows = static_cast<std::size_t>(std::max(table.rowCount() - first, 0));
    std::size_t capacity = 8;
    while (capacity < rows * 2)
        capacity *= 2;
    m_slots.resize(capacity);
    m_mask = capacity - 1;
    // Rows go in from the top and a code already present is not added again, so each
    // code keeps its first row.
    for (int row = first; row < table.rowCount(); ++row) {
        const std::string_view code = table.cell(0, row);
        const std::uint32_t hash = foldedHash(code);
        Slot& slot = m_slots[slotOf(code, hash)];
        if (slot.row < 0)
            slot = Slot{hash, row};
    }
}

// The slot holding the code, or the empty slot where it would go.
std::size_t CodeIndex::slotOf(std::string_view code, std::uint32_t hash) const
{
    std::size_t i = hash & m_mask;
    while (m_slots[i].row >= 0) {
        const Slot& slot = m_slots[i];
        if (slot.hash == hash && textEqualsIgnoringCase(m_table.cell(0, slot.row), code))
            return i;
        i = (i + 1) & m_mask;
    }
    return i;
}

int CodeIndex::firstRow(std::string_view code) const
{
    return m_slots[slotOf(code, foldedHash(code))].row;
}

} // namespace listorix
