#include "alerts/gui/AlertDialog.h"

#include "alerts/AlertBook.h"
#include "alerts/AlertInput.h"
#include "base/AtomicFile.h"
#include "base/Prompts.h"
#include "base/gui/QtText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace listorix {

namespace {

constexpr std::array<const char*, 3> kFieldNames = {"EditSopra", "EditSotto", "EditVariazione"};

} // namespace

AlertDialog::AlertDialog(AlertBook& book, const CategoryTables& categories, Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_book(book), m_categories(categories), m_prompts(prompts)
{
    setObjectName(QStringLiteral("DlgAvviso"));
    setWindowTitle(QStringLiteral("Avviso di prezzo"));

    auto* column = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("LabelTitolo"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    column->addWidget(m_title);
    m_price = new QLabel(this);
    m_price->setObjectName(QStringLiteral("LabelQuotazione"));
    column->addWidget(m_price);

    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(kFieldNames[i]));
        form->addRow(qText(kAlertFieldCaptions[i]), m_fields[i]);
    }
    column->addLayout(form);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("ButtonOK"));
    m_ok->setDefault(true);
    m_cancel = buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    m_cancel->setObjectName(QStringLiteral("ButtonAnnulla"));
    connect(m_ok, &QPushButton::clicked, this, &AlertDialog::ButtonOKClick);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    column->addWidget(buttons);
}

bool AlertDialog::editAlertOfRow(const TAlignGrid& grid, int row)
{
    std::string problem;
    const std::optional<AlertTarget> target = alertTargetOfRow(m_categories, grid, row, problem);
    if (!target) {
        m_prompts.warningOk(problem);
        return false;
    }
    return editAlert(*target);
}

bool AlertDialog::editAlert(const AlertTarget& target)
{
    m_target = target;
    m_title->setText(qText(target.name.empty() ? target.code : target.code + " - " + target.name));
    m_price->setText(
        qText("Quotazione attuale: " + (target.price.empty() ? "non disponibile" : target.price)));
    const AlertFields fields = fieldsOf(m_book.find(target.category, target.code));
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(qText(fields[i]));
    const bool hasChange = changeColumnOf(target.category) >= 0;
    m_fields[static_cast<std::size_t>(AlertCondition::ChangeBeyond)]->setEnabled(hasChange);
    m_fields[0]->setFocus();
    return exec() == QDialog::Accepted;
}

void AlertDialog::ButtonOKClick()
{
    AlertFields fields;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        fields[i] = coreText(m_fields[i]->text());
    const AlertInput input = readAlertInput(m_target, fields);
    if (!input.alert) {
        m_prompts.warningOk(input.problem);
        return;
    }
    try {
        m_book.store(*input.alert);
    } catch (const FileWriteError& error) {
        m_prompts.warningOk(error.what());
        return;
    }
    accept();
}

} // namespace listorix
