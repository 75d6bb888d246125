#include "base/gui/LabelTextSink.h"

#include "base/gui/QtText.h"

#include <QLabel>

namespace listorix {

LabelTextSink::LabelTextSink(QLabel* label) : m_label(label) {}

void LabelTextSink::setLabel(QLabel* label)
{
    m_label = label;
}

void LabelTextSink::setText(const std::string& text)
{
    if (m_label)
        m_label->setText(qText(text));
}

} // namespace listorix
