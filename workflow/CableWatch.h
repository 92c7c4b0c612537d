#pragma once
// The cable watch shared by every running instance of one user: one
// monitor thread per instance and one USB cable search among all of them,
// coordinated through the shared map "TavoCPSFileMap-<uid>" (1024 bytes of
// aligned integers):
//
//   0  a poller exists in some instance (1)
//   1  a cable is connected (1)
//   2  some instance runs a radio operation (1)
//   3  the number of programming cables the search found
//   4  the poller (64 bits: its process identity, see ProcessIdentity)
//   6  the instance that set index 2 (64 bits, likewise)
//   8  the poller's last beat (64 bits: the machine's monotonic clock, ms)
//  10  the busy instance's last beat (64 bits, likewise)
//
// The map is a file of the user's private folder (base/PrivateFolder),
// mapped into every instance: a file that is not the user's own, is open
// to others or has another size is refused, so no other local user can
// plant a map or read ours. Every value read from it is checked: a flag
// other than 0 or 1, a count below 0 or beyond any machine's, a count that
// contradicts the connected flag, or a poller whose beat has stopped (an
// owner that lives but does not poll, such as a process id planted in a
// damaged map) is repaired or taken over. When no private folder exists
// the instance keeps a map of its own (it watches the cable alone) and
// says why through MapProblem().
//
// The map describes only the USB cable search. An instance that was given
// its own port (command line or setting) watches that port itself: it
// neither polls for the others nor takes their count, though it still
// honours and sets the busy flag, so no search runs beside a transfer.
//
// Indexes 4 and 6 keep a dead instance from blinding or blocking the
// others: the poller is elected by swapping our identity into index 4 when
// it holds none or that of a process that no longer runs, and a busy flag
// whose owner has gone is cleared by the next monitor visit. An identity is
// the process id and the process's start time, so a process that was later
// given the same id is not taken for the owner. Without a window: the state
// reaches the front end through a callback on the monitor thread.

#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace tavo {

enum CableMapIndex : int {
    MapPollerExists = 0,
    MapConnected = 1,
    MapBusy = 2,
    MapDeviceCount = 3,
    MapPollerOwner = 4, // 64 bits, indexes 4 and 5
    MapBusyOwner = 6,   // 64 bits, indexes 6 and 7
    MapPollerBeat = 8,  // 64 bits, indexes 8 and 9
    MapBusyBeat = 10,   // 64 bits, indexes 10 and 11: the busy instance's last beat
};

// One view of the shared map; each thread keeps its own.
class SharedCableMap {
public:
    static constexpr int kSize = 1024;
    // Per user: another user's instances have a map of their own (and could
    // not open ours).
    static QString DefaultKey();
    // The file that holds the map of `key` in the private folder; empty
    // when there is no private folder (`passedOver`: the candidates
    // refused).
    static QString MapPath(const QString &key, QStringList *passedOver = nullptr);

    explicit SharedCableMap(const QString &key);
    ~SharedCableMap();
    SharedCableMap(const SharedCableMap &) = delete;
    SharedCableMap &operator=(const SharedCableMap &) = delete;

    // Opens an existing map; false when none exists or the file found is
    // not one this user alone can reach.
    bool Attach();
    // Opens the map, creating it when missing (a new map holds zeros).
    bool CreateOrAttach();
    bool IsAttached() const;
    // Why the map is this process's own rather than shared (no private
    // folder, a file refused), empty when it is shared.
    QString Problem() const { return m_strProblem; }

    int32_t Value(int index) const;
    void SetValue(int index, int32_t value);
    // Sets `index` to `desired` when it holds `expected`.
    bool Swap(int index, int32_t expected, int32_t desired);
    // The 64-bit owner slots (MapPollerOwner, MapBusyOwner).
    uint64_t Owner(int index) const;
    void SetOwner(int index, uint64_t identity);
    bool SwapOwner(int index, uint64_t expected, uint64_t desired);

    // The values as a monitor may use them: flags 0 or 1 and a count from
    // 0 to kMaxDeviceCount that agrees with the connected flag; anything
    // else is written back repaired. True when something was repaired.
    bool RepairValues();
    static constexpr int32_t kMaxDeviceCount = 127;

private:
    int32_t *slot(int index) const;
    uint64_t *ownerSlot(int index) const;
    bool open(bool create);

    QString m_strKey;
    void *m_pData = nullptr;
    bool m_bLocal = false;  // the process's own map (no private folder)
    QString m_strProblem;
};

// The machine's monotonic clock in milliseconds (the same for every
// process), as the poller's beat records it.
uint64_t MonotonicMs();

// True when a process with that id exists (0 never does).
bool ProcessAlive(int32_t pid);

// A running process as the map records it: the process id in the low 32
// bits, the low 32 bits of its start time (clock ticks after boot, field 22
// of /proc/PID/stat) in the high ones. 0: none.
namespace ProcessIdentity {
// The start time of a running process; nullopt when it has none (gone).
std::optional<uint64_t> StartTime(int32_t pid);
// The identity of process `pid` now (0 when it does not run).
uint64_t Of(int32_t pid);
inline int32_t Pid(uint64_t identity) { return static_cast<int32_t>(identity & 0xFFFFFFFFu); }
// True when the process recorded as `identity` still runs: its id exists
// and has the recorded start time.
bool Alive(uint64_t identity);
} // namespace ProcessIdentity

class CableWatch {
public:
    // The cable count, called by the poller (the caller takes the radio
    // lock inside it when it needs one).
    using CountFunction = std::function<int()>;
    // The monitor's verdict once a period: usable (one cable, connected,
    // nobody busy) and the device count from the map. On the monitor thread.
    using StateFunction = std::function<void(bool usable, int deviceCount)>;
    // The instance's own port, asked once a period (it may change): its
    // cable count there (0 or 1), or nullopt when the instance has none
    // and takes the USB cable search of the map.
    using OwnPortFunction = std::function<std::optional<int>()>;

    // `count` is the USB cable search, run by the poller for every
    // instance.
    CableWatch(const QString &key, CountFunction count, StateFunction state, int periodMs = 1000, OwnPortFunction ownPort = {});
    ~CableWatch();

    // Starts the monitor thread.
    void Start();
    // Signals both threads, waits at most 5000 ms for each and hands the
    // polling to another instance.
    void Stop();

    // A radio operation begins or ends in this instance: the busy flag here
    // and index 2 (owned by our identity) for every instance.
    void BeginOperation();
    void EndOperation();
    bool Busy() const { return m_bBusy.load(); }

    // This instance has won the election and polls for all.
    bool PollerRunsHere() const { return m_bPolling.load(); }
    int DeviceCount() const { return m_nDeviceCount.load(); }
    // Why the cable state is not shared with the user's other instances
    // (see SharedCableMap::Problem), empty when it is; for the front end to
    // say once.
    QString MapProblem() const;
    // Ends every wait of the threads now.
    void Wake();

private:
    void monitorLoop();
    void pollerLoop();
    void startPoller();
    std::optional<int> ownPortCount() const;
    // Waits up to `ms` on the wake event; true when stopping.
    bool wait(int ms);
    bool joinWithin(std::thread &thread, std::atomic<bool> &ended, int ms);
    // The owner recorded at `ownerIndex` lives and its beat at `beatIndex`
    // is recent (a few periods).
    bool ownerAlive(const SharedCableMap &map, int ownerIndex, int beatIndex) const;
    void noteProblem(const SharedCableMap &map);

    QString m_strKey;
    CountFunction m_count;
    StateFunction m_state;
    OwnPortFunction m_ownPort;
    int m_nPeriodMs;
    uint64_t m_nIdentity; // ours, as the map records it

    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bBusy{false};
    std::atomic<int> m_nDeviceCount{0};
    std::atomic<bool> m_bPollerRunning{false};
    std::atomic<bool> m_bPolling{false};
    std::atomic<bool> m_bMonitorEnded{true};
    std::atomic<bool> m_bPollerEnded{true};

    std::mutex m_mapLock;        // the monitor's visits to the map
    mutable std::mutex m_problemLock;
    QString m_strMapProblem;
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_bWoken = false;
    std::condition_variable m_ended;

    std::thread m_monitor;
    std::thread m_poller;
};

} // namespace tavo
