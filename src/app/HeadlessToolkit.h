#pragma once

#include "app/MainFormCore.h"
#include "base/EventLoop.h"
#include "base/Prompts.h"
#include "fetch/TickTimer.h"

#include <functional>
#include <string>

namespace listorix {

// The toolkit of a program without a window (listorix-poll, end-to-end tests):
// the core's event loop with Timer1 on it and message boxes handed to a function
// (standard error, a test's record). Toolkit() wires it into a MainFormCore,
// whose Timer1Timer the timer then calls once attached with attach().
class HeadlessToolkit final : private TickTimer, private Prompts
{
public:
    // Each message box's text, with "warning" or "message" as its kind.
    using MessageSink = std::function<void(const std::string& kind, const std::string& text)>;

    HeadlessToolkit(EventLoop& loop, MessageSink messages);

    MainFormCore::Toolkit toolkit();
    // Timer1's timeouts go to the core's tick from now on.
    void attach(MainFormCore& core) { m_core = &core; }

    EventLoop& loop() { return m_loop; }

private:
    void setEnabled(bool enabled) override { m_loop.setTimerEnabled(m_timer, enabled); }
    void warningOk(const std::string& text) override;
    void messageOk(const std::string& text) override;

    EventLoop& m_loop;
    MessageSink m_messages;
    EventLoop::TimerId m_timer;
    MainFormCore* m_core = nullptr;
};

} // namespace listorix
