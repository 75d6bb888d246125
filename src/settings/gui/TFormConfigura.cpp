#include "settings/gui/TFormConfigura.h"

#include "base/Prompts.h"
#include "base/gui/Looks.h"
#include "base/gui/QtText.h"
#include "settings/SettingsInForce.h"
#include "settings/gui/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace listorix {

namespace {

constexpr int kClientWidth = 333;
constexpr int kFirstRowTop = 30;
constexpr int kRowPitch = 26;
constexpr int kProxyGroupTop = kFirstRowTop + 6 * kRowPitch + 10;
constexpr int kProxyGroupHeight = 128;
// The row "Sorgente dati" below the proxy group; the dialog is taller by it, and
// the buttons stay at the bottom edge, so nothing above the row moves.
constexpr int kSourceRowTop = kProxyGroupTop + kProxyGroupHeight + 8;
constexpr int kSourceRowHeight = 30;
constexpr int kButtonsTop = 336 + kSourceRowHeight;
constexpr int kClientHeight = 374 + kSourceRowHeight;

// The choices of ComboBoxSorgente, in the order of the list.
struct SourceChoice
{
    QuoteSource source;
    const char* caption;
};
constexpr SourceChoice kSourceChoices[] = {
    {QuoteSource::Csv, "Servizio CSV (csv)"},
    {QuoteSource::Demo, "Servizio dimostrativo (demo)"},
    {QuoteSource::Web, "Web, non ufficiale (web)"},
};

// The six rows, top to bottom: label, check box, hours field and up-down, minutes
// field and up-down; the check box is the model's field of that row.
struct RowDesign
{
    const char* label;
    const char* checkBox;
    bool ConfigurationControls::*checked;
    const char* hours;
    const char* hoursUpDown;
    const char* minutes;
    const char* minutesUpDown;
};

constexpr RowDesign kRows[] = {
    {"Indici", "CheckBoxIndiciEnable", &ConfigurationControls::CheckBoxIndiciEnable, "EditIndiciOre",
     "UpDownIndiciOre", "EditIndiciMinuti", "UpDownIndiciMinuti"},
    {"MIB30", "CheckBoxMIB30Enable", &ConfigurationControls::CheckBoxMIB30Enable, "EditMIBTELore",
     "UpDownMIBTELore", "EditMIBTELminuti", "UpDownMIBTELminuti"},
    {"MIBTEL", "CheckBoxMIBTELEnable", &ConfigurationControls::CheckBoxMIBTELEnable, "EditMIB30ore",
     "UpDownMIB30ore", "EditMIB30minuti", "UpDownMIB30minuti"},
    {"Obbligazioni", "CheckBoxOBBEnable", &ConfigurationControls::CheckBoxOBBEnable, "EditWarrantOre",
     "UpDownWarrantOre", "EditWarrantMinuti", "UpDownWarrantMinuti"},
    {"Derivati", "CheckBoxDerivatiEnable", &ConfigurationControls::CheckBoxDerivatiEnable,
     "EditObbligazioniOre", "UpDownObbligazioniOre", "EditObbligazioniMinuti", "UpDownObbligazioniMinuti"},
    {"Fondi", "CheckBoxfondiEnable", &ConfigurationControls::CheckBoxfondiEnable, "Edit1", "UpDown1", "Edit2",
     "UpDown2"},
};

QLabel* boldLabel(const QString& text, const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    setLook(label, colour);
    return label;
}

QLineEdit* fixedWidthField(const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return field;
}

} // namespace

TFormConfigura::TFormConfigura(SettingsInForce& settings, Prompts& prompts, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      m_settings(settings), m_prompts(prompts)
{
    setObjectName("FormConfigura");
    setWindowTitle("Configurazione");
    setFixedSize(kClientWidth, kClientHeight);

    auto* shows = boldLabel("Mostra", Qt::red, this);
    shows->setGeometry(112, 8, 70, 18);
    auto* updates = boldLabel("Aggiornamento", Qt::red, this);
    updates->setGeometry(186, 8, 130, 18);
    buildRows();
    buildProxyGroup();
    buildSourceRow();

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");
    ok->setDefault(true);
    ok->setGeometry(70, kButtonsTop, 90, 28);
    auto* cancel = new QPushButton("Annulla", this);
    cancel->setObjectName("BitBtn2");
    cancel->setGeometry(173, kButtonsTop, 90, 28);
    connect(ok, &QPushButton::clicked, this, &TFormConfigura::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &TFormConfigura::reject);

    showControls();
}

void TFormConfigura::buildRows()
{
    for (std::size_t k = 0; k < std::size(kRows); ++k) {
        const RowDesign& design = kRows[k];
        const int top = kFirstRowTop + static_cast<int>(k) * kRowPitch;
        boldLabel(design.label, kNavy, this)->setGeometry(12, top, 100, 22);

        auto* check = new QCheckBox(this);
        check->setObjectName(design.checkBox);
        check->setGeometry(136, top, 22, 22);
        m_checks[k] = check;
        connect(check, &QCheckBox::toggled, this,
                [this, field = design.checked](bool on) { m_settings.controls().*field = on; });

        const auto row = static_cast<SelectorRow>(k);
        Selector& selector = m_selectors[k];
        const auto place = [&](const char* fieldName, const char* upDownName, int left, bool hours) {
            QLineEdit* field = fixedWidthField(fieldName, this);
            field->setReadOnly(true);
            field->setEnabled(false);
            field->setMaxLength(2);
            field->setAlignment(Qt::AlignCenter);
            field->setGeometry(left, top, 30, 22);
            auto* upDown = new UpDown(this);
            upDown->setObjectName(upDownName);
            upDown->setGeometry(left + 30, top, 16, 22);
            connect(upDown, &UpDown::stepped, this, [this, row, hours](int delta) {
                TimeSelector& time = m_settings.controls().selector(row);
                hours ? time.stepHours(delta) : time.stepMinutes(delta);
                showSelector(row);
            });
            return field;
        };
        selector.hours = place(design.hours, design.hoursUpDown, 186, true);
        auto* colon = new QLabel(":", this);
        colon->setAlignment(Qt::AlignCenter);
        colon->setGeometry(232, top, 12, 22);
        selector.minutes = place(design.minutes, design.minutesUpDown, 244, false);
    }
}

void TFormConfigura::buildProxyGroup()
{
    const int groupTop = kProxyGroupTop;
    m_proxyGroup = new QGroupBox(this);
    m_proxyGroup->setObjectName("GroupBoxProxy");
    m_proxyGroup->setGeometry(8, groupTop, kClientWidth - 16, kProxyGroupHeight);

    const struct
    {
        const char* label;
        const char* name;
        QLineEdit** field;
        int width;
    } rows[] = {
        {"Indirizzo server proxy", "EditServerProxyAddress", &m_address, 140},
        {"Porta", "EditServerProxyPort", &m_port, 70},
        {"Username", "EditServerProxyUsername", &m_username, 140},
        {"Password", "EditServerProxyPassword", &m_password, 140},
    };
    int top = 20;
    for (const auto& row : rows) {
        boldLabel(row.label, kPurple, m_proxyGroup)->setGeometry(10, top, 158, 22);
        QLineEdit* field = fixedWidthField(row.name, m_proxyGroup);
        field->setGeometry(168, top, row.width, 22);
        *row.field = field;
        top += 26;
    }
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet("lineedit-password-character: 42;"); // "*"

    // The check box sits in the group's top edge, not inside it, so that it stays
    // enabled while the group is not.
    m_proxy = new QCheckBox("Proxy Server", this);
    m_proxy->setObjectName("CheckBoxProxy");
    m_proxy->setLayoutDirection(Qt::RightToLeft);                       // caption on the left of the box
    setLook(m_proxy, kPurple, true, palette().color(QPalette::Window)); // hides the frame behind it
    m_proxy->adjustSize();
    m_proxy->move(18, groupTop - m_proxy->height() / 2 + 2);
    m_proxy->raise();

    connect(m_proxy, &QCheckBox::clicked, this, &TFormConfigura::CheckBoxProxyClick);
    // The fields write the settings in force as the user types: a request that
    // starts while the dialog is open takes the proxy it shows, and "Annulla" puts
    // back what was in force when it opened. HOST and the web source's addresses
    // have no field: they are loaded with the others when the dialog opens.
    connect(m_address, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_settings.controls().proxy.address = coreText(text); });
    connect(m_port, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_settings.controls().proxy.port = coreText(text); });
    connect(m_username, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_settings.controls().proxy.username = coreText(text); });
    connect(m_password, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_settings.controls().proxy.password = coreText(text); });
    m_port->installEventFilter(this);
}

void TFormConfigura::buildSourceRow()
{
    QLabel* label = boldLabel("Sorgente dati", kNavy, this);
    label->setObjectName("LabelSorgente");
    label->setGeometry(12, kSourceRowTop, 120, 22);
    m_source = new QComboBox(this);
    m_source->setObjectName("ComboBoxSorgente");
    m_source->setGeometry(136, kSourceRowTop, kClientWidth - 8 - 136, 22);
    for (const SourceChoice& choice : kSourceChoices)
        m_source->addItem(QString::fromUtf8(choice.caption));
    m_source->setToolTip("Da dove vengono le quotazioni; vale dal prossimo collegamento.\n"
                         "La sorgente web non \u00e8 ufficiale, \u00e8 per uso personale e pu\u00f2 "
                         "smettere di funzionare.");
    connect(m_source, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(std::size(kSourceChoices)))
            m_settings.controls().ComboBoxSorgente = kSourceChoices[static_cast<std::size_t>(index)].source;
    });
}

bool TFormConfigura::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_port && event->type() == QEvent::FocusOut)
        EditServerProxyPortExit();
    return QDialog::eventFilter(watched, event);
}

void TFormConfigura::prepareToShow()
{
    m_settings.Execute();
    showControls();
}

void TFormConfigura::Execute()
{
    prepareToShow();
    exec();
}

void TFormConfigura::showControls()
{
    const ConfigurationControls& controls = m_settings.controls();
    for (std::size_t k = 0; k < std::size(kRows); ++k) {
        const QSignalBlocker quiet(m_checks[k]);
        m_checks[k]->setChecked(controls.*(kRows[k].checked));
        showSelector(static_cast<SelectorRow>(k));
    }
    const QSignalBlocker quiet(m_proxy);
    m_proxy->setChecked(controls.proxy.enabled);
    m_address->setText(qText(controls.proxy.address));
    m_port->setText(qText(controls.proxy.port));
    m_username->setText(qText(controls.proxy.username));
    m_password->setText(qText(controls.proxy.password));
    for (std::size_t k = 0; k < std::size(kSourceChoices); ++k) {
        if (kSourceChoices[k].source == controls.ComboBoxSorgente)
            m_source->setCurrentIndex(static_cast<int>(k));
    }
    showProxyEnabling();
}

void TFormConfigura::showProxyEnabling()
{
    const bool enabled = m_settings.controls().proxyFieldsEnabled;
    m_proxyGroup->setEnabled(enabled);
    for (QLineEdit* field : {m_address, m_port, m_username, m_password})
        field->setEnabled(enabled);
}

void TFormConfigura::showSelector(SelectorRow row)
{
    const TimeSelector& time = m_settings.controls().selector(row);
    const Selector& selector = m_selectors[static_cast<std::size_t>(row)];
    selector.hours->setText(qText(SettingsInForce::EditIndiciOreChange(time.hoursText())));
    selector.minutes->setText(qText(SettingsInForce::EditIndiciMinutiChange(time.minutesText())));
}

void TFormConfigura::CheckBoxProxyClick()
{
    m_settings.controls().proxy.enabled = m_proxy->isChecked();
    m_settings.CheckBoxProxyClick();
    showProxyEnabling();
}

void TFormConfigura::EditServerProxyPortExit()
{
    m_settings.EditServerProxyPortExit();
    m_port->setText(qText(m_settings.controls().proxy.port));
}

void TFormConfigura::BitBtn1Click()
{
    if (const std::optional<std::string> error = m_settings.BitBtn1Click())
        m_prompts.warningOk(*error);
    accept();
}

void TFormConfigura::reject()
{
    m_settings.BitBtn2Click();
    showControls();
    QDialog::reject();
}

} // namespace listorix
