#pragma once

#include <QWidget>

class QToolButton;

namespace listorix {

class AnimatedLogo;

// The strip above the pages, 35 pixels high: five 32 x 32 buttons from the left
// (reload, stop, clipboard, help, HTML report) and the animated logo at the right
// edge. It shows the fetch state: while a fetch runs the logo turns, "Stop" is
// enabled and "Collegamento" is not; otherwise the other way round.
class MainToolBar final : public QWidget
{
    Q_OBJECT

public:
    struct Buttons
    {
        QToolButton* SpeedButtonReload;
        QToolButton* SpeedButtonStop;
        QToolButton* SpeedButtonExcel;
        QToolButton* SpeedButtonHelp;
        QToolButton* SpeedButtonHTML;
    };

    explicit MainToolBar(QWidget* parent = nullptr);

    const Buttons& buttons() const { return m_buttons; }
    AnimatedLogo* logo() const { return m_logo; }

    void setFetching(bool fetching);

private:
    Buttons m_buttons{};
    AnimatedLogo* m_logo;
};

} // namespace listorix
