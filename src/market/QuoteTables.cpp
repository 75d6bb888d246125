#include "market/QuoteTables.h"

#include "grid/TAlignGrid.h"
#include "market/TableOrdering.h"

#include <array>
#include <span>

namespace listorix {

namespace {

struct ColumnDesign
{
    const char* title;
    Alignment alignment;
    int width;
};

constexpr Alignment kLeft = Alignment::Left;
constexpr Alignment kRight = Alignment::Right;
constexpr Alignment kCenter = Alignment::Center;

// The name column starts at the default width until the window fits it.
constexpr int kNameWidth = 64;

constexpr std::array<ColumnDesign, 11> kShares = {{{"Codice", kLeft, 64},
                                                   {"Nome", kLeft, kNameWidth},
                                                   {"Flash", kRight, 56},
                                                   {"data", kCenter, 49},
                                                   {"ora", kCenter, 48},
                                                   {"apert.", kRight, 54},
                                                   {"min", kRight, 56},
                                                   {"max", kRight, 49},
                                                   {"prec.", kRight, 45},
                                                   {"var.%", kRight, 39},
                                                   {"volumi", kRight, 64}}};

constexpr std::array<ColumnDesign, 11> kBonds = {{{"Codice", kLeft, 64},
                                                  {"Nome", kLeft, kNameWidth},
                                                  {"Flash", kRight, 64},
                                                  {"data", kCenter, 57},
                                                  {"ora", kCenter, 64},
                                                  {"apet.", kRight, 64},
                                                  {"min", kRight, 64},
                                                  {"max", kRight, 64},
                                                  {"prec.", kRight, 64},
                                                  {"var.%", kRight, 64},
                                                  {"volumi", kRight, 64}}};

constexpr std::array<ColumnDesign, 11> kDerivatives = {{{"Codice", kLeft, 64},
                                                        {"Nome", kLeft, kNameWidth},
                                                        {"Flash", kRight, 46},
                                                        {"data", kCenter, 45},
                                                        {"ora", kCenter, 64},
                                                        {"apert.", kRight, 61},
                                                        {"min", kRight, 59},
                                                        {"max", kRight, 58},
                                                        {"prec.", kRight, 47},
                                                        {"var.%", kRight, 58},
                                                        {"volumi", kRight, 64}}};

constexpr std::array<ColumnDesign, 4> kFunds = {
    {{"Codice", kLeft, 64}, {"Nome", kLeft, kNameWidth}, {"Chiusura", kRight, 64}, {"data", kCenter, 64}}};

std::span<const ColumnDesign> columnsOf(QuoteCategory category)
{
    switch (category) {
    case QuoteCategory::Bonds:
        return kBonds;
    case QuoteCategory::Derivatives:
        return kDerivatives;
    case QuoteCategory::Funds:
        return kFunds;
    case QuoteCategory::Shares:
        break;
    }
    return kShares;
}

} // namespace

void setUpQuoteTable(TAlignGrid& grid, QuoteCategory category)
{
    const std::span<const ColumnDesign> columns = columnsOf(category);
    grid.setColCount(static_cast<int>(columns.size()));
    grid.setRowCount(2);
    grid.setDefaultRowHeight(18);
    grid.setColor(clWhite);
    grid.setRowSelect(true);
    grid.setEditing(false);
    for (int col = 0; col < grid.colCount(); ++col) {
        const ColumnDesign& design = columns[static_cast<std::size_t>(col)];
        grid.setCell(col, 0, design.title);
        grid.setColWidth(col, design.width);
        grid.setAlignCol(col, design.alignment);
        grid.setFixedAlignCol(col, col == 0 ? Alignment::Left : Alignment::Center);
    }
    grid.setColorCol(0, clLightCyan);

    switch (category) {
    case QuoteCategory::Shares:
        grid.OnCompareCol = StringGridYahooCompareCol;
        break;
    case QuoteCategory::Funds:
        grid.OnCompareCol = StringGridFondiCompareCol;
        break;
    case QuoteCategory::Bonds:
    case QuoteCategory::Derivatives:
        grid.OnCompareCol = TAlignGrid::compareColTexts;
        break;
    }
}

} // namespace listorix
