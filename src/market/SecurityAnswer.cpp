#include "market/SecurityAnswer.h"

#include "base/Fields.h"
#include "base/NumberFormat.h"
#include "grid/TAlignGrid.h"
#include "market/QuoteTableSorting.h"
#include "market/TableOrdering.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

namespace listorix {

namespace {

// Field positions of an answer line, which are also the table's columns.
constexpr int kFirstDecimalPosition = 2; // from the last price on, "." is a decimal point
constexpr int kDatePosition = 3;
constexpr int kChangePosition = 9;
// One past the last field of a full line: the change cell is complete by then.
constexpr int kColourPosition = 11;
// Rows a table can count; lines beyond are not shown.
constexpr int kMaxRows = std::numeric_limits<int>::max() - 1;

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// `field` becomes `raw` without double quotes, trimmed of blanks and control
// characters at both ends, every run of blanks shrunk to one. One pass: dropping
// the quotes first and trimming before shrinking give the same result.
void cleanField(std::string_view raw, std::string& field)
{
    field.resize(raw.size());
    char* const begin = field.data();
    char* out = begin;
    for (const char c : raw) {
        if (c == '"' || (out == begin && isBlankOrControl(c)) || (c == ' ' && out != begin && out[-1] == ' '))
            continue;
        *out++ = c;
    }
    while (out != begin && isBlankOrControl(out[-1]))
        --out;
    field.resize(static_cast<std::size_t>(out - begin));
}

bool rejectsLine(int position, const std::string& field)
{
    // An empty symbol, or the service's special and index symbols.
    return (position == 0 && field.empty()) || field.starts_with('@') || field.starts_with('^');
}

std::string twoDigitsAtLeast(std::string_view part)
{
    std::string text;
    if (part.size() < 2)
        text += '0';
    text += part;
    return text;
}

// The service's month/day/year as DD/MM; the year is dropped. A missing part
// becomes "0", so a missing date shows as 0/0.
std::string dayMonth(std::string_view date)
{
    const std::size_t slash = date.find('/');
    const std::string_view month =
        slash == std::string_view::npos ? std::string_view{} : date.substr(0, slash);
    const std::string_view rest = slash == std::string_view::npos ? date : date.substr(slash + 1);
    const std::size_t next = rest.find('/');
    const std::string_view day = next == std::string_view::npos ? std::string_view{} : rest.substr(0, next);
    return twoDigitsAtLeast(day) + kDateSeparator + twoDigitsAtLeast(month);
}

// The change comes as "absolute - percentage%": only the percentage is kept,
// without its "%". A text of another form stays whole.
void keepPercentage(std::string& change)
{
    constexpr std::string_view kSeparator = " - ";
    const std::size_t at = change.find(kSeparator);
    if (at == std::string::npos)
        return;
    change.erase(0, at + kSeparator.size());
    const std::size_t percent = change.find('%');
    if (percent != std::string::npos)
        change.erase(percent, 1);
}

// Writes the fields of `line` into `row`, one per column; the table's column count
// plus one fields are read, so a full line's last field is checked too. False when
// the line is rejected: the cells written so far stay for the next line to overwrite.
// `field` is working space, kept from line to line.
bool writeLine(TAlignGrid& grid, int row, std::string_view line, std::string& field)
{
    const int columns = grid.colCount();
    for (int position = 0; position <= columns; ++position) {
        cleanField(NextField(line), field);
        if (rejectsLine(position, field))
            return false;
        if (position >= kFirstDecimalPosition)
            std::replace(field.begin(), field.end(), '.', kDecimalSeparator);
        if (position == kDatePosition)
            field = dayMonth(field);
        if (position == kChangePosition)
            keepPercentage(field);
        if (position < columns)
            grid.setCell(position, row, field);
        if (position == kColourPosition) {
            const double change = parseNumber(grid.cell(kChangePosition, row)).value_or(0.0);
            grid.setFontColorCell(kChangePosition, row, change < 0 ? clRed : clBlack);
        }
    }
    return true;
}

} // namespace

SecurityAnswer::SecurityAnswer(ConnectionId id, TAlignGrid& grid, const QuoteTableSorting& sorting)
    : m_id(id), m_grid(grid), m_sorting(sorting)
{
}

AnswerVerdict SecurityAnswer::ParseSecurityAnswer(const LineList& lines, AnswerOrigin /*origin*/)
{
    if (lines.empty())
        return AnswerVerdict::Refused;
    TAlignGrid& grid = m_grid;
    // The table is rewritten whole: its view hears once, at the end.
    const auto batch = grid.batchChanges();
    const int currentRow = grid.currentRow();

    // The table is laid out anew, with a row for every line; each line goes into
    // the row after the accepted ones and every cell of an accepted row is written.
    // At the end the table is cut to the title row and the accepted rows, so
    // neither a rejected line nor an older, longer answer leaves rows behind.
    grid.setRowCount(1);
    grid.setRowCount(static_cast<int>(std::min<std::size_t>(lines.size(), kMaxRows)) + 1);
    int accepted = 0;
    std::string field;
    for (const std::string& line : lines) {
        if (accepted == kMaxRows)
            break;
        if (writeLine(grid, accepted + 1, line, field))
            ++accepted;
    }
    grid.setRowCount(accepted + 1);

    const SortState order = m_sorting.stateOf(m_id);
    ApplySort(grid, categoryOf(m_id).columns, order.SortColumn, order.SortAscending);
    // The highlight stays on the row number it had, as far as the table reaches.
    grid.setCurrentRow(std::min(currentRow, grid.rowCount() - 1));
    return AnswerVerdict::Read;
}

} // namespace listorix
