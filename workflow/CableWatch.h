#pragma once
// The cable watch shared by every running instance: one monitor thread per
// instance and one cable poller among all of them, coordinated through the
// shared map "TavoCPSFileMap" (1024 bytes of aligned 32-bit integers):
//
//   0  a poller exists in some instance (1)
//   1  a cable is connected (1)
//   2  some instance runs a radio operation (1)
//   3  the number of programming cables found
//   4  the process id of the poller (0: none)
//   5  the process id of the instance that set index 2
//
// Indexes 4 and 5 keep a dead instance from blinding or blocking the
// others: the poller is elected by swapping our process id into index 4
// when it holds 0 or a process that no longer exists, and a busy flag whose
// owner has gone is cleared by the next monitor visit. Without a window:
// the state reaches the front end through a callback on the monitor thread.

#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

class QSharedMemory;

namespace tavo {

enum CableMapIndex : int {
    MapPollerExists = 0,
    MapConnected = 1,
    MapBusy = 2,
    MapDeviceCount = 3,
    MapPollerPid = 4,
    MapBusyPid = 5,
};

// One view of the shared map; each thread keeps its own.
class SharedCableMap {
public:
    static constexpr int kSize = 1024;
    static QString DefaultKey() { return QStringLiteral("TavoCPSFileMap"); }

    explicit SharedCableMap(const QString &key);
    ~SharedCableMap();
    SharedCableMap(const SharedCableMap &) = delete;
    SharedCableMap &operator=(const SharedCableMap &) = delete;

    // Opens an existing map; false when none exists.
    bool Attach();
    // Opens the map, creating it when missing; the creator clears the
    // integers above.
    bool CreateOrAttach();
    bool IsAttached() const;

    int32_t Value(int index) const;
    void SetValue(int index, int32_t value);
    // Sets `index` to `desired` when it holds `expected`.
    bool Swap(int index, int32_t expected, int32_t desired);

private:
    int32_t *slot(int index) const;
    QSharedMemory *m_pShm;
};

// True when a process with that id exists (0 never does).
bool ProcessAlive(int32_t pid);

class CableWatch {
public:
    // The cable count, called by the poller (the caller takes the radio
    // lock inside it when it needs one).
    using CountFunction = std::function<int()>;
    // The monitor's verdict once a period: usable (one cable, connected,
    // nobody busy) and the device count from the map. On the monitor thread.
    using StateFunction = std::function<void(bool usable, int deviceCount)>;

    CableWatch(const QString &key, CountFunction count, StateFunction state, int periodMs = 1000);
    ~CableWatch();

    // Starts the monitor thread.
    void Start();
    // Signals both threads, waits at most 5000 ms for each and hands the
    // polling to another instance.
    void Stop();

    // A radio operation begins or ends in this instance: the busy flag here
    // and index 2 (owned by our process id) for every instance.
    void BeginOperation();
    void EndOperation();
    bool Busy() const { return m_bBusy.load(); }

    // This instance has won the election and polls for all.
    bool PollerRunsHere() const { return m_bPolling.load(); }
    int DeviceCount() const { return m_nDeviceCount.load(); }
    // Ends every wait of the threads now.
    void Wake();

private:
    void monitorLoop();
    void pollerLoop();
    void startPoller();
    // Waits up to `ms` on the wake event; true when stopping.
    bool wait(int ms);
    bool joinWithin(std::thread &thread, std::atomic<bool> &ended, int ms);

    QString m_strKey;
    CountFunction m_count;
    StateFunction m_state;
    int m_nPeriodMs;
    int32_t m_nPid;

    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bBusy{false};
    std::atomic<int> m_nDeviceCount{0};
    std::atomic<bool> m_bPollerRunning{false};
    std::atomic<bool> m_bPolling{false};
    std::atomic<bool> m_bMonitorEnded{true};
    std::atomic<bool> m_bPollerEnded{true};

    std::mutex m_mapLock;        // the monitor's visits to the map
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_bWoken = false;
    std::condition_variable m_ended;

    std::thread m_monitor;
    std::thread m_poller;
};

} // namespace tavo
