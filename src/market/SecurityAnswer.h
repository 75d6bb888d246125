#pragma once

#include "base/LineList.h"
#include "market/AnswerSink.h"
#include "market/Categories.h"

namespace listorix {

class QuoteTableSorting;
class TAlignGrid;

// The parse of a shares, bonds, derivatives or funds answer into its table: one
// CSV line per symbol (fields separated by ";", texts in double quotes) rewritten
// into the table in display form, then sorted in the table's stored order. One
// object per quote table. Main thread only.
class SecurityAnswer final : public AnswerSink
{
public:
    // `grid` is the table of connection `id`; `sorting` gives its order. Both must
    // outlive this object.
    SecurityAnswer(ConnectionId id, TAlignGrid& grid, const QuoteTableSorting& sorting);

    // An empty answer is refused and leaves the table alone. Otherwise the table
    // ends with its title row and one row per accepted line, in the table's order,
    // and its observer hears once.
    AnswerVerdict ParseSecurityAnswer(const LineList& lines, AnswerOrigin origin);

    AnswerVerdict take(const LineList& lines, AnswerOrigin origin) override
    {
        return ParseSecurityAnswer(lines, origin);
    }

private:
    const ConnectionId m_id;
    TAlignGrid& m_grid;
    const QuoteTableSorting& m_sorting;
};

} // namespace listorix
