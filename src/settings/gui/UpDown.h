#pragma once

#include <QWidget>

namespace listorix {

// An up-down control: two small arrow buttons, one above the other, that step the
// field beside them by one in either direction.
class UpDown final : public QWidget
{
    Q_OBJECT

public:
    explicit UpDown(QWidget* parent = nullptr);

signals:
    // +1 for the upper arrow, -1 for the lower one.
    void stepped(int delta);
};

} // namespace listorix
