#pragma once

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

namespace listorix {

class Prompts;
class SettingsInForce;
enum class SelectorRow;

// The configuration dialog "Configurazione", a window over the settings in force:
// the six rows of check boxes and time selectors, the proxy group with its check
// box in the top edge, the row "Sorgente dati" (where the quotes come from), "OK" (stores, writes and
// applies; a failed write is shown in a message box) and "Annulla" (puts back what the dialog opened with).
// Every control shows and edits the model's controls; the rules are the model's.
class TFormConfigura final : public QDialog
{
    Q_OBJECT

public:
    TFormConfigura(SettingsInForce& settings, Prompts& prompts, QWidget* parent = nullptr);

    // "Configurazione": reloads the controls from the settings file and shows the
    // dialog modally.
    void Execute();
    // The first half of Execute, without the modal wait (tests show the dialog).
    void prepareToShow();

public slots:
    void reject() override;

protected:
    // The port field's exit rule runs whenever the field loses the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Selector
    {
        QLineEdit* hours;
        QLineEdit* minutes;
    };

    void buildRows();
    void buildProxyGroup();
    void buildSourceRow();
    void showControls();
    void showProxyEnabling();
    void showSelector(SelectorRow row);

    void CheckBoxProxyClick();
    void EditServerProxyPortExit();
    void BitBtn1Click();

    SettingsInForce& m_settings;
    Prompts& m_prompts;
    std::array<QCheckBox*, 6> m_checks{};
    std::array<Selector, 6> m_selectors{};
    QCheckBox* m_proxy = nullptr;
    QGroupBox* m_proxyGroup = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_port = nullptr;
    QLineEdit* m_username = nullptr;
    QLineEdit* m_password = nullptr;
    QComboBox* m_source = nullptr;
};

} // namespace listorix
