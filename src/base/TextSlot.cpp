#include "base/TextSlot.h"

namespace listorix {

void TextSlot::setText(const std::string& text)
{
    m_text = text;
    if (m_view)
        m_view->setText(m_text);
}

void TextSlot::attach(TextSink* view)
{
    m_view = view;
    if (m_view)
        m_view->setText(m_text);
}

} // namespace listorix
