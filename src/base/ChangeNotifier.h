#pragma once

#include <functional>
#include <utility>

namespace listorix {

// Tells one observer (the view of a model) that the model has changed. A batch
// holds the notice back until its end, so a view redraws once per parse rather
// than once per text. The observer must not throw.
class ChangeNotifier final
{
public:
    using Observer = std::function<void()>;

    // Open while it lives; batches nest, and the outermost one's end sends the
    // notice if anything changed meanwhile.
    class [[nodiscard]] Batch final
    {
    public:
        explicit Batch(ChangeNotifier& notifier);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        ChangeNotifier& m_notifier;
    };

    ChangeNotifier() = default;
    ChangeNotifier(const ChangeNotifier&) = delete;
    ChangeNotifier& operator=(const ChangeNotifier&) = delete;

    void setObserver(Observer observer) { m_observer = std::move(observer); }
    // The model has changed: notify now, or at the end of the open batch.
    void changed();

private:
    void notify();

    Observer m_observer;
    int m_openBatches = 0;
    bool m_pending = false;
};

} // namespace listorix
