#pragma once
// The radio notification: type 1 progress (10-100), 2 done,
// 3 communication failure (-1 or a negative result), 4 radio memory warning
// (the status, 1-31). Radio operations hand them to a thread-safe sink and
// never touch a window: the GUI's sink queues a call into the main thread,
// the CLI's prints, tests record.

#include <QString>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace tavo {

enum RadioNotifyType : int {
    RadioProgress = 1,
    RadioDone = 2,
    RadioCommFailure = 3,
    RadioMemoryWarning = 4,
};

class IRadioNotificationSink {
public:
    virtual ~IRadioNotificationSink() = default;
    // Called on the radio worker thread; must be thread-safe and quick.
    virtual void Notify(int type, int value) = 0;
};

struct RadioNotification {
    int type;
    int value;
    bool operator==(const RadioNotification &o) const { return type == o.type && value == o.value; }
};

// A sink that keeps every notification (tests, and callers that wait).
class RadioNotificationRecorder : public IRadioNotificationSink {
public:
    void Notify(int type, int value) override;
    std::vector<RadioNotification> All() const;
    std::vector<RadioNotification> Finals() const;   // types 2, 3, 4
    void Clear();
    // Waits until `count` final notifications have arrived or the time is up.
    bool WaitForFinals(size_t count, int timeoutMs) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cv;
    std::vector<RadioNotification> m_list;
};

// The memory status with which a radio asks for a factory reset (390).
constexpr int kMemoryStatusNeedsFactoryReset = 8;

inline bool IsFinalNotification(int type) { return type == RadioDone || type == RadioCommFailure || type == RadioMemoryWarning; }

// The user's text for a failure notification, as the read/write dialog and
// the main frame show it: type 3 "Error: Communication Error." (-1) or
// "Error: Operation Failed (%d)."; type 4 "Warning: " and the memory text.
QString RadioFailureText(int type, int value);
// The memory-status text alone (8, 1-31, other).
QString MemoryWarningText(int status);

} // namespace tavo
