#pragma once

#include <QWidget>
#include <vector>

class QLabel;

namespace listorix {

class IndexPanel;

// The top of the index page: a strip with the index connection's countdown
// (LabelINDICITimer) and the date of the values (LabelDataIndici), and the block of
// twenty static texts, one row per index and one column per quantity, named after
// the panel's controls (StaticTextMIBTEL, StaticTextMIB30_valore, ...). It shows what
// the core's panel holds and redraws on its change notice.
class IndexPanelView final : public QWidget
{
    Q_OBJECT

public:
    explicit IndexPanelView(IndexPanel& panel, QWidget* parent = nullptr);
    ~IndexPanelView() override;

    // The countdown label, which the index connection writes.
    QLabel* LabelINDICITimer() const { return m_timer; }

private:
    void refresh();

    IndexPanel& m_panel;
    QLabel* m_timer;
    QLabel* m_date;
    std::vector<QLabel*> m_texts; // index by index, field by field
};

} // namespace listorix
