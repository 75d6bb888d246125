#include "app/HeadlessToolkit.h"

#include <chrono>

namespace listorix {

HeadlessToolkit::HeadlessToolkit(EventLoop& loop, MessageSink messages)
    : m_loop(loop), m_messages(std::move(messages)), m_timer(loop.addTimer(std::chrono::seconds(1), [this] {
          if (m_core)
              m_core->Timer1Timer();
      }))
{
}

MainFormCore::Toolkit HeadlessToolkit::toolkit()
{
    return MainFormCore::Toolkit{m_loop, *this, *this};
}

void HeadlessToolkit::warningOk(const std::string& text)
{
    if (m_messages)
        m_messages("warning", text);
}

void HeadlessToolkit::messageOk(const std::string& text)
{
    if (m_messages)
        m_messages("message", text);
}

} // namespace listorix
