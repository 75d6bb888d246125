#include "market/QuoteTables.h"

#include "market/TableOrdering.h"
#include "ui/TAlignGrid.h"

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

constexpr Alignment L = Alignment::Left;
constexpr Alignment R = Alignment::Right;
constexpr Alignment C = Alignment::Center;

// The name column starts at the default width until the window fits it.
constexpr int kNameWidth = 64;

constexpr std::array<ColumnDesign, 11> kShares = {{{"Codice", L, 64},
                                                   {"Nome", L, kNameWidth},
                                                   {"Flash", R, 56},
                                                   {"data", C, 49},
                                                   {"ora", C, 48},
                                                   {"apert.", R, 54},
                                                   {"min", R, 56},
                                                   {"max", R, 49},
                                                   {"prec.", R, 45},
                                                   {"var.%", R, 39},
                                                   {"volumi", R, 64}}};

constexpr std::array<ColumnDesign, 11> kBonds = {{{"Codice", L, 64},
                                                  {"Nome", L, kNameWidth},
                                                  {"Flash", R, 64},
                                                  {"data", C, 57},
                                                  {"ora", C, 64},
                                                  {"apet.", R, 64},
                                                  {"min", R, 64},
                                                  {"max", R, 64},
                                                  {"prec.", R, 64},
                                                  {"var.%", R, 64},
                                                  {"volumi", R, 64}}};

constexpr std::array<ColumnDesign, 11> kDerivatives = {{{"Codice", L, 64},
                                                        {"Nome", L, kNameWidth},
                                                        {"Flash", R, 46},
                                                        {"data", C, 45},
                                                        {"ora", C, 64},
                                                        {"apert.", R, 61},
                                                        {"min", R, 59},
                                                        {"max", R, 58},
                                                        {"prec.", R, 47},
                                                        {"var.%", R, 58},
                                                        {"volumi", R, 64}}};

constexpr std::array<ColumnDesign, 4> kFunds = {
    {{"Codice", L, 64}, {"Nome", L, kNameWidth}, {"Chiusura", R, 64}, {"data", C, 64}}};

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
