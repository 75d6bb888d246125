#include "portfolio/CodeIndex.h"

#include "base/CaseFold.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTables.h"

namespace listorix {

namespace {

// A hash of the folded bytes, so codes that differ only in case hash alike. Bytes
// are packed eight to a word and each word mixed once: every row of a long table is
// hashed on each valuation.
std::uint32_t foldedHash(std::string_view code)
{
    std::uint64_t hash = code.size();
    std::uint64_t word = 0;
    std::size_t packed = 0;
    const auto mix = [&hash](std::uint64_t w) {
        hash = (hash ^ w) * 0x9E3779B97F4A7C15u;
        hash ^= hash >> 32;
    };
    for (const char c : code) {
        word = word << 8 | static_cast<unsigned char>(foldCase(c));
        if (++packed == 8) {
            mix(word);
            word = 0;
            packed = 0;
        }
    }
    mix(word);
    return static_cast<std::uint32_t>(hash);
}

// `folded` is already folded.
bool matchesFolded(std::string_view code, std::string_view folded)
{
    if (code.size() != folded.size())
        return false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (foldCase(code[i]) != folded[i])
            return false;
    }
    return true;
}

} // namespace

// The slot holding the code, or the empty slot where it would go.
std::size_t CodeIndex::slotOf(std::string_view code, std::uint32_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_slots[i].id >= 0) {
        const Slot& slot = m_slots[i];
        if (slot.hash == hash && matchesFolded(code, m_codes[static_cast<std::size_t>(slot.id)]))
            return i;
        i = (i + 1) & mask;
    }
    return i;
}

void CodeIndex::grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 16 : old.size() * 2, Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.id < 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].id >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

int CodeIndex::insert(std::string_view code)
{
    if ((m_codes.size() + 1) * 4 > m_slots.size())
        grow();
    const std::uint32_t hash = foldedHash(code);
    Slot& slot = m_slots[slotOf(code, hash)];
    if (slot.id < 0) {
        slot = Slot{hash, size()};
        m_codes.push_back(foldCase(code));
    }
    return slot.id;
}

int CodeIndex::find(std::string_view code) const
{
    if (m_slots.empty())
        return -1;
    return m_slots[slotOf(code, foldedHash(code))].id;
}

std::vector<int> firstRowsOf(const TAlignGrid& table, const CodeIndex& codes)
{
    std::vector<int> rows(static_cast<std::size_t>(codes.size()), -1);
    int unresolved = codes.size();
    for (int row = 0; row < table.rowCount() && unresolved > 0; ++row) {
        const int id = codes.find(table.cell(QuoteColumn::Codice, row));
        if (id >= 0 && rows[static_cast<std::size_t>(id)] < 0) {
            rows[static_cast<std::size_t>(id)] = row;
            --unresolved;
        }
    }
    return rows;
}

} // namespace listorix
