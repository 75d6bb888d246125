#pragma once

#include <QWidget>

namespace listorix {

// The splash window shown while the program starts: frameless, always on top,
// centred, 278 × 220, a dark blue panel with the program's name, web address,
// icon, "Caricamento in corso" and the maker's line. It has no behaviour of its
// own: the program block shows it, the first showing of the main window brings
// it to the front again and then closes it.
class TFormCover final : public QWidget
{
    Q_OBJECT

public:
    explicit TFormCover(QWidget* parent = nullptr);

    // Shown, raised and painted at once, before the event loop runs.
    void showAndPaint();
    // Hidden, shown and painted again: back in front of the windows made meanwhile.
    void bringToFront();
};

} // namespace listorix
