#pragma once
// The process-wide state of the program in one place: the message sink,
// the code page, the installation and settings locations, the interface
// language and its translator, the setting documents, the cable
// configuration and device index. Each layer keeps the values only it
// understands as a ContextValue (or its own Part) and registers them here on
// first use; the context saves and restores all of them together, which is
// what a test fixture (ScopedProcessContext) or a second run in the same
// process needs.
//
// Every value is guarded by its own mutex, so worker threads may read and
// set it. The radio lock, which serialises the radio operations, stays a
// plain mutex of the radio layer: it is held, never saved or restored.

#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace tavo {

class ProcessContext {
public:
    // One registered piece of state.
    class Part {
    public:
        virtual ~Part() = default;
        virtual std::shared_ptr<void> Save() const = 0;
        virtual void Restore(const std::shared_ptr<void> &saved) = 0;
        // Back to the value it had when it was registered.
        virtual void Reset() = 0;
    };

    using Snapshot = std::vector<std::pair<Part *, std::shared_ptr<void>>>;

    static ProcessContext &Instance();

    void Register(Part *part);
    void Unregister(Part *part);
    Snapshot SaveAll() const;
    // Restores the parts saved in `snapshot`; a part registered since the
    // snapshot was taken goes back to its first value.
    void RestoreAll(const Snapshot &snapshot);

private:
    ProcessContext() = default;
    mutable std::mutex m_mutex;
    std::vector<Part *> m_parts;
};

// A value of the process-wide state, registered with the context when it is
// first constructed (a function-local static of the layer that owns it).
template <typename T>
class ContextValue : public ProcessContext::Part {
public:
    explicit ContextValue(T initial = T()) : m_initial(initial), m_value(std::move(initial))
    {
        ProcessContext::Instance().Register(this);
    }
    ~ContextValue() override { ProcessContext::Instance().Unregister(this); }
    ContextValue(const ContextValue &) = delete;
    ContextValue &operator=(const ContextValue &) = delete;

    T Get() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_value;
    }
    // Sets the value and returns the one it replaced.
    T Set(T value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::swap(m_value, value);
        return value;
    }

    std::shared_ptr<void> Save() const override { return std::make_shared<T>(Get()); }
    void Restore(const std::shared_ptr<void> &saved) override { Set(*static_cast<const T *>(saved.get())); }
    void Reset() override { Restore(std::make_shared<T>(m_initial)); }

private:
    const T m_initial;
    mutable std::mutex m_mutex;
    T m_value;
};

// Saves the whole process-wide state on construction and puts it back on
// destruction: the fixture of every test that changes any of it.
class ScopedProcessContext {
public:
    ScopedProcessContext() : m_saved(ProcessContext::Instance().SaveAll()) {}
    ~ScopedProcessContext() { ProcessContext::Instance().RestoreAll(m_saved); }
    ScopedProcessContext(const ScopedProcessContext &) = delete;
    ScopedProcessContext &operator=(const ScopedProcessContext &) = delete;

private:
    ProcessContext::Snapshot m_saved;
};

} // namespace tavo
