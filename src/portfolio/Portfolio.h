#pragma once

#include "base/Colour.h"
#include "portfolio/CategoryTables.h"

#include <functional>
#include <string_view>

namespace listorix {

class TAlignGrid;
class TextSink;

// The backgrounds of a row's "Data" (also used for "Quotazione"), "Totale" and
// "Guadagno" cells as they were before the first highlight; -1 until taken.
struct SavedColumnColours
{
    TColor data = -1;
    TColor totale = -1;
    TColor guadagno = -1;

    bool operator==(const SavedColumnColours&) const = default;
};

inline constexpr std::string_view kTotalCaptionPrefix = "Totale Portafoglio: Eu ";
inline constexpr std::string_view kGainCaptionPrefix = "Totale Guadagno: Eu ";

// The portfolio table StringGridPortafoglio with what it is valued against: copies
// the category tables' prices into its rows, values every row and writes the two
// totals, keeps the current row highlighted, and handles the user's edits.
class Portfolio final
{
public:
    Portfolio(TAlignGrid& StringGridPortafoglio, const CategoryTables& categories,
              TextSink& LabelPortafoglioTot, TextSink& LabelPortafoglioTotGuadagno);

    TAlignGrid& grid() const { return m_grid; }
    const CategoryTables& categories() const { return m_categories; }

    // The colour of an active window's caption, which the shell takes from the
    // desktop; the current row is painted with it.
    TColor activeCaptionColour() const { return m_activeCaptionColour; }
    void setActiveCaptionColour(TColor colour) { m_activeCaptionColour = colour; }
    const SavedColumnColours& savedColumnColours() const { return m_savedColumnColours; }

    // Routes the table's after-edit and select-cell events to the handlers below.
    void connectTableEvents();

    // Copies the current prices in, values every row and writes both totals.
    void RevaluePortfolio();
    // The user finished editing the cell: fixes the number notation, keeps number
    // columns numeric, undoes edits of the free row, and revalues.
    void StringGridPortafoglioAfterEdit(int ACol, int ARow);
    // Raised before the selection moves to row ARow; with no sender (the page change)
    // it repaints the highlight of the current row. Never refuses.
    void StringGridPortafoglioSelectCell(const TAlignGrid* Sender, int ACol, int ARow, bool& CanSelect);
    // Fills the free last row, or a new one, as a personal row.
    void SpeedButtonTitoloPersonaleClick();
    // Cell editability is not saved: gives loaded personal rows theirs back.
    void MarkPersonalRowsEditable();

    // "Aggiungi al portafoglio": adds the current row of the category table that has
    // the input focus, revalues, lets the shell bring the portfolio page to the front
    // (showPortfolioPage, which also repaints the highlight) and selects the new row.
    // False, with nothing changed, when no category table has the focus or its
    // current row holds no security.
    bool Aggiungialportafoglio1Click(const std::function<void()>& showPortfolioPage);

private:
    void colourBySign(int col, int row, double value);
    void restoreTextColours(int row);

    TAlignGrid& m_grid;
    CategoryTables m_categories;
    TextSink& m_totalCaption;
    TextSink& m_gainCaption;
    SavedColumnColours m_savedColumnColours;
    TColor m_activeCaptionColour = rgbColour(0, 0, 128);
};

} // namespace listorix
