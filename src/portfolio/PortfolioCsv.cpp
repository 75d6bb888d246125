#include "portfolio/PortfolioCsv.h"

#include "base/CaseFold.h"
#include "base/NumberFormat.h"
#include "base/Trim.h"
#include "base/Windows1252.h"
#include "grid/TAlignGrid.h"
#include "portfolio/CategoryTables.h"
#include "portfolio/CodeIndex.h"
#include "portfolio/Portfolio.h"
#include "portfolio/PortfolioCommands.h"
#include "portfolio/PortfolioTable.h"

#include <array>
#include <cstddef>
#include <optional>

namespace listorix {

namespace {

using namespace PortfolioColumn;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kCrlf = "\r\n";
constexpr char kSeparator = ';';
// The fields of a line, in order.
enum CsvField : std::size_t
{
    kCodeField,
    kNameField,
    kTypeField,
    kQuantityField,
    kPriceField,
    kPurchaseField,
    kPurchaseDateField,
    kFields
};
constexpr std::array<std::string_view, kFields> kTitles = {"Codice",     "Nome",     "Tipo",     "Quote",
                                                           "Quotazione", "Acquisto", "Data Acq."};

// --- writing ------------------------------------------------------------------

std::string csvField(std::string_view text)
{
    const bool quoted = text.find_first_of(";\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + '"';
}

// A number cell as the file writes numbers; a text that is no number stays as it
// is, for the reader to report.
std::string numberField(std::string_view cell, bool withThousands)
{
    const std::string_view text = trimControls(cell);
    const std::optional<double> value = parseNumber(withThousands ? StripDots(text) : std::string(text));
    return value ? formatGeneral(*value) : std::string(text);
}

std::string dateField(std::string_view cell)
{
    const std::string_view text = trimControls(cell);
    const std::optional<Date> date = parseDate(text);
    return date ? formatShortDate(*date) : std::string(text);
}

// --- reading ------------------------------------------------------------------

bool isUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4;
        else
            return false;
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

struct Record
{
    int line = 0;
    std::vector<std::string> fields;
};

// The records of the text, each with the number of the line it begins on.
std::vector<Record> records(std::string_view text)
{
    std::vector<Record> result;
    Record record{1, {std::string()}};
    int line = 1;
    bool inQuotes = false;
    bool fieldStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineEnd = c == '\r' || c == '\n';
        if (lineEnd && c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (lineEnd)
            ++line;
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                record.fields.back() += '"';
                ++i;
            } else if (c == '"') {
                inQuotes = false;
            } else {
                record.fields.back() += lineEnd ? std::string(kCrlf) : std::string(1, c);
            }
            continue;
        }
        if (lineEnd) {
            result.push_back(std::move(record));
            record = Record{line, {std::string()}};
            fieldStart = true;
        } else if (c == kSeparator) {
            record.fields.emplace_back();
            fieldStart = true;
        } else if (c == '"' && fieldStart) {
            inQuotes = true;
            fieldStart = false;
        } else {
            record.fields.back() += c;
            fieldStart = false;
        }
    }
    if (record.fields.size() > 1 || !record.fields.front().empty())
        result.push_back(std::move(record));
    return result;
}

bool isBlank(const Record& record)
{
    for (const std::string& field : record.fields) {
        if (!trimControls(field).empty())
            return false;
    }
    return true;
}

bool allDigits(std::string_view text)
{
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A number in Italian form: a decimal comma, and points only where they group
// the integer digits by three ("1.234,5"). A point anywhere else is refused: it
// cannot be told from a decimal point.
std::optional<double> italianNumber(std::string_view text)
{
    if (text.find('.') == std::string_view::npos)
        return parseNumber(text);
    std::string_view integer = text.substr(0, text.find(kDecimalSeparator));
    if (!integer.empty() && (integer.front() == '+' || integer.front() == '-'))
        integer.remove_prefix(1);
    const std::size_t first = integer.find('.');
    if (first == 0 || first > 3 || !allDigits(integer.substr(0, first)))
        return std::nullopt;
    for (std::size_t at = first; at < integer.size(); at += 4) {
        if (integer[at] != '.' || integer.size() < at + 4 || !allDigits(integer.substr(at + 1, 3)))
            return std::nullopt;
    }
    return parseNumber(StripDots(text));
}

std::string quotedText(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// The row of a record, or the first thing wrong with it.
std::optional<PortfolioCsvRow> rowOf(const Record& record, std::string& problem)
{
    std::vector<std::string_view> fields(record.fields.begin(), record.fields.end());
    while (fields.size() > kFields && trimControls(fields.back()).empty())
        fields.pop_back();
    if (fields.size() != kFields) {
        problem = std::to_string(kFields) + " campi attesi, " + std::to_string(fields.size()) + " trovati";
        return std::nullopt;
    }
    for (std::string_view& field : fields)
        field = trimControls(field);

    PortfolioCsvRow row;
    row.code = fields[kCodeField];
    row.name = fields[kNameField];
    row.type = asciiUpper(fields[kTypeField]);
    if (row.type != kTypePersonal && !connectionOfTypeCode(row.type)) {
        problem = "tipo " + quotedText(fields[kTypeField]) + " sconosciuto (TA, TO, TD, F o PERS)";
        return std::nullopt;
    }
    if (row.type != kTypePersonal && row.code.empty()) {
        problem = "codice mancante";
        return std::nullopt;
    }
    const std::array<std::pair<std::size_t, std::string*>, 3> numbers = {
        {{kQuantityField, &row.quantity}, {kPriceField, &row.price}, {kPurchaseField, &row.purchase}}};
    for (const auto& [index, target] : numbers) {
        if (fields[index].empty())
            continue;
        const std::optional<double> value = italianNumber(fields[index]);
        if (!value) {
            problem = quotedText(kTitles[index]) + ": " + quotedText(fields[index]) + " non \xE8 un numero";
            return std::nullopt;
        }
        *target = formatGeneral(*value);
    }
    if (const std::string_view text = fields[kPurchaseDateField]; !text.empty()) {
        const std::optional<Date> date = parseDate(text);
        if (!date) {
            problem = quotedText(kTitles[kPurchaseDateField]) + ": " + quotedText(text) +
                      " non \xE8 una data GG/MM/AAAA";
            return std::nullopt;
        }
        row.purchaseDate = formatShortDate(*date);
    }
    return row;
}

bool isHeader(const Record& record)
{
    std::size_t count = record.fields.size();
    while (count > kFields && trimControls(record.fields[count - 1]).empty())
        --count;
    if (count != kFields)
        return false;
    for (std::size_t i = 0; i < kFields; ++i) {
        if (!textEqualsIgnoringCase(trimControls(record.fields[i]), kTitles[i]))
            return false;
    }
    return true;
}

// The codes of a quote table's data rows.
CodeIndex codesOf(const TAlignGrid& table)
{
    CodeIndex codes;
    for (int row = 1; row < table.rowCount(); ++row) {
        const std::string_view code = trimControls(table.cell(QuoteColumn::Codice, row));
        if (!code.empty())
            codes.insert(code);
    }
    return codes;
}

} // namespace

std::string portfolioCsvBytes(const TAlignGrid& portfolio)
{
    std::string text = std::string(kPortfolioCsvHeader) + std::string(kCrlf);
    for (int row = 1; row < portfolio.rowCount(); ++row) {
        if (isFreeRow(portfolio, row))
            continue;
        const bool personal = portfolio.cell(Tipo, row) == kTypePersonal;
        const std::array<std::string, kFields> fields = {
            std::string(trimControls(portfolio.cell(Codice, row))),
            std::string(trimControls(portfolio.cell(Nome, row))),
            std::string(trimControls(portfolio.cell(Tipo, row))),
            numberField(portfolio.cell(Quote, row), false),
            personal ? numberField(portfolio.cell(Quotazione, row), true) : std::string(),
            numberField(portfolio.cell(Acquisto, row), true),
            dateField(portfolio.cell(DataAcq, row)),
        };
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                text += kSeparator;
            text += csvField(fields[i]);
        }
        text += kCrlf;
    }
    return std::string(kByteOrderMark) + utf8FromWindows1252(text);
}

PortfolioCsvFile readPortfolioCsv(std::string_view bytes)
{
    PortfolioCsvFile file;
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    const std::string text = isUtf8(bytes) ? windows1252FromUtf8(bytes) : std::string(bytes);
    bool first = true;
    for (const Record& record : records(text)) {
        if (first) {
            first = false;
            if (!isHeader(record))
                file.badLines.push_back(
                    {record.line, "intestazione attesa: " + std::string(kPortfolioCsvHeader)});
            continue;
        }
        if (isBlank(record))
            continue;
        std::string problem;
        if (std::optional<PortfolioCsvRow> row = rowOf(record, problem))
            file.rows.push_back(std::move(*row));
        else
            file.badLines.push_back({record.line, std::move(problem)});
    }
    return file;
}

void importPortfolioRows(Portfolio& portfolio, const std::vector<PortfolioCsvRow>& rows)
{
    TAlignGrid& grid = portfolio.grid();
    const auto batch = grid.batchChanges();
    std::array<CodeIndex, kQuoteConnections.size()> codes;
    for (std::size_t k = 0; k < codes.size(); ++k)
        codes[k] = codesOf(portfolio.categories().table(kQuoteConnections[k]));
    const auto stands = [&codes](ConnectionId id, const std::string& code) {
        return codes[*quoteIndexOf(id)].find(code) >= 0;
    };

    for (const PortfolioCsvRow& entry : rows) {
        // Its own table first, then the others in their order.
        std::optional<ConnectionId> category = connectionOfTypeCode(entry.type);
        if (category && !stands(*category, entry.code)) {
            category.reset();
            for (const ConnectionId other : kQuoteConnections) {
                if (stands(other, entry.code)) {
                    category = other;
                    break;
                }
            }
        }
        int row = 0;
        if (category) {
            row = addSecurityRow(grid, entry.code, entry.name, categoryOf(*category).typeCode);
        } else {
            portfolio.SpeedButtonTitoloPersonaleClick();
            row = grid.rowCount() - 1;
            grid.setCell(Codice, row, entry.code);
            grid.setCell(Nome, row, entry.name);
        }
        grid.setCell(Quote, row, entry.quantity);
        grid.setCell(Quotazione, row, entry.price);
        grid.setCell(Acquisto, row, entry.purchase);
        grid.setCell(DataAcq, row, entry.purchaseDate);
    }
}

} // namespace listorix
