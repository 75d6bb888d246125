#pragma once

#include <QDialog>
#include <string_view>

class QLabel;
class QPushButton;

namespace listorix {

class RoundedFrame;

// The about box "Informazioni": the program's name and icon (a blue frame shows
// around them while the mouse is over them; a click on either asks for the home
// page, homePageRequested), the version and contact text, and OK.
class TAboutForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);

    // Fills the text and shows the box modally; returns when it is closed.
    // Informazioni1Click: ShowAbout(programVersion(), catalogue.ContactText).
    void ShowAbout(std::string_view version, std::string_view contactText);
    // The text alone: "Versione: ", the version, the credit lines, the contact.
    void setAboutText(std::string_view version, std::string_view contactText);

signals:
    // LabelListorixClick: the main window shows HomePageUrl in its web tab; the
    // box stays open in front.
    void homePageRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LabelListorixMouseMove();
    void FormMouseMove(QObject* sender);

    RoundedFrame* m_shape;
    QLabel* m_name;
    QLabel* m_image;
    QLabel* m_text;
    QPushButton* m_ok;
};

} // namespace listorix
