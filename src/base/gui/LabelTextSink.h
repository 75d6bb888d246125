#pragma once

#include "base/TextSink.h"

#include <QPointer>

class QLabel;

namespace listorix {

// A QLabel as a place the core writes a text to (a TextSlot's view): each text is
// converted from the core's code page and shown at once. A label that has gone
// meanwhile is left alone.
class LabelTextSink final : public TextSink
{
public:
    explicit LabelTextSink(QLabel* label = nullptr);
    void setLabel(QLabel* label);

    void setText(const std::string& text) override;

private:
    QPointer<QLabel> m_label;
};

} // namespace listorix
