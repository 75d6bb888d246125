#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

class Portfolio;

// What the portfolio selection dialog TDlgPortafoglio shows and does, without the
// window: the category choice ComboBoxTipo, the list CheckListBoxNomi of that
// category's securities with a check box each (checked: in the portfolio), and what
// toggling a check box does to the portfolio table.
class SelectionList final
{
public:
    static constexpr std::string_view kCaption = "Portafoglio";
    static constexpr std::array<std::string_view, 4> kComboBoxTipoItems = {
        "TITOLI AZIONARI", "TITOLI OBBLIGAZIONARI", "DERIVATI", "FONDI"};
    // Between code and name in an item's text.
    static constexpr std::string_view kItemSeparator = " - ";

    struct Item
    {
        std::string text; // code, " - ", name
        bool checked = false;

        bool operator==(const Item&) const = default;
    };

    explicit SelectionList(Portfolio& portfolio);

    // Fills the list for the first category, runs the dialog (runModal returns when
    // the user closes it) and then revalues the portfolio once.
    void ShowPortfolioDialog(const std::function<void()>& runModal);

    // ComboBoxTipo: the selected category, -1 for none.
    int comboIndex() const { return m_comboIndex; }
    void setComboIndex(int index);
    // Rebuilds the list from the selected category's table: one item per row with a
    // code, checked when the portfolio holds that code. Empty with no category.
    void ComboBoxTipoChange();

    // CheckListBoxNomi.
    const std::vector<Item>& items() const { return m_items; }
    int currentItem() const { return m_currentItem; }
    void setCurrentItem(int index);
    void setChecked(int index, bool checked);
    // The user toggled the check box of the current item (whose state is already the
    // new one): checked adds the security to the portfolio, unchecked removes every
    // row that holds its code. Does not revalue.
    void CheckListBoxNomiClickCheck();
    // A click on an item's check box: makes it current, toggles it and raises the event.
    void toggle(int index);

private:
    bool validItem(int index) const { return index >= 0 && index < static_cast<int>(m_items.size()); }

    Portfolio& m_portfolio;
    int m_comboIndex = -1;
    std::vector<Item> m_items;
    int m_currentItem = -1;
};

} // namespace listorix
