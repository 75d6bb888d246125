#pragma once

#include "portfolio/CategoryTables.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace listorix {

class AlertBook;
class AlertDialog;
class Prompts;

// The list "Avvisi": every alert in GridAvvisi (code, name, table, conditions,
// state), ButtonModifica (or a double click) to change the selected one in the
// alert dialog, ButtonCancella to delete it after the user confirms, ButtonChiudi.
// Made once and reused.
class AlertListDialog final : public QDialog
{
    Q_OBJECT

public:
    AlertListDialog(AlertBook& book, AlertDialog& editor, const CategoryTables& categories, Prompts& prompts,
                    QWidget* parent = nullptr);

    // The list as the book holds it now, modally.
    void showAlerts();

private:
    void fill();
    int selectedAlert() const;
    void ButtonModificaClick();
    void ButtonCancellaClick();
    void selectionChanged();

    AlertBook& m_book;
    AlertDialog& m_editor;
    CategoryTables m_categories;
    Prompts& m_prompts;
    QTableWidget* m_grid;
    QPushButton* m_change;
    QPushButton* m_delete;
    QPushButton* m_close;
};

} // namespace listorix
