#pragma once

#include "base/LineList.h"
#include "fetch/TConnessione.h"

namespace listorix {

class QuoteTableSorting;
class TextSink;

// The parse of the shares, bonds, derivatives and funds answers: one CSV line per
// symbol (fields separated by ";", texts in double quotes) rewritten into the
// connection's table in display form, then sorted in the table's stored order.
// Main thread only.
class SecurityAnswer final
{
public:
    // `LabelStatus` is the status line; `sorting` gives each table's order. Both
    // must outlive this object.
    SecurityAnswer(TextSink& LabelStatus, const QuoteTableSorting& sorting);

    // The answer callback of the four category connections. An empty answer puts
    // the connection on the one-minute retry, says so in the status line and
    // leaves the table alone, whether it comes from a fetch or from the cache file
    // replayed at start-up; false then. Otherwise the table ends with its title
    // row and one row per accepted line, in the table's order, and its observer
    // hears once.
    bool ParseSecurityAnswer(TConnessione& connection, const LineList& lines, AnswerOrigin origin);

    // ParseSecurityAnswer bound to this object, for TConnessione::OnAnswer.
    TConnessione::AnswerCallback callback();

private:
    TextSink& m_status;
    const QuoteTableSorting& m_sorting;
};

} // namespace listorix
