#include "workflow/CableWatch.h"

#include <QFile>
#include <QSharedMemory>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <sys/types.h>
#include <unistd.h>

namespace tavo {

// ---- the shared map

namespace {
// The integers the creator clears: the four of every instance and our two
// 64-bit owner slots.
constexpr int kClearedBytes = 8 * 4;
// /proc/PID/stat: the fields after the command name (field 2, in
// parentheses) begin with field 3; the start time is field 22.
constexpr int kFirstFieldAfterName = 3;
constexpr int kStartTimeField = 22;
} // namespace

QString SharedCableMap::DefaultKey()
{
    return QStringLiteral("TavoCPSFileMap-%1").arg(::getuid());
}

SharedCableMap::SharedCableMap(const QString &key) : m_pShm(new QSharedMemory(key)) {}

SharedCableMap::~SharedCableMap()
{
    if (m_pShm->isAttached())
        m_pShm->detach();
    delete m_pShm;
}

bool SharedCableMap::Attach()
{
    return m_pShm->isAttached() || m_pShm->attach(QSharedMemory::ReadWrite);
}

bool SharedCableMap::CreateOrAttach()
{
    if (m_pShm->isAttached())
        return true;
    if (m_pShm->create(kSize, QSharedMemory::ReadWrite)) {
        std::memset(m_pShm->data(), 0, kClearedBytes);
        return true;
    }
    return m_pShm->error() == QSharedMemory::AlreadyExists && m_pShm->attach(QSharedMemory::ReadWrite);
}

bool SharedCableMap::IsAttached() const
{
    return m_pShm->isAttached();
}

int32_t *SharedCableMap::slot(int index) const
{
    return static_cast<int32_t *>(m_pShm->data()) + index;
}

int32_t SharedCableMap::Value(int index) const
{
    return m_pShm->isAttached() ? __atomic_load_n(slot(index), __ATOMIC_SEQ_CST) : 0;
}

void SharedCableMap::SetValue(int index, int32_t value)
{
    if (m_pShm->isAttached())
        __atomic_store_n(slot(index), value, __ATOMIC_SEQ_CST);
}

bool SharedCableMap::Swap(int index, int32_t expected, int32_t desired)
{
    return m_pShm->isAttached()
        && __atomic_compare_exchange_n(slot(index), &expected, desired, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
}

uint64_t *SharedCableMap::ownerSlot(int index) const
{
    return reinterpret_cast<uint64_t *>(slot(index));
}

uint64_t SharedCableMap::Owner(int index) const
{
    return m_pShm->isAttached() ? __atomic_load_n(ownerSlot(index), __ATOMIC_SEQ_CST) : 0;
}

void SharedCableMap::SetOwner(int index, uint64_t identity)
{
    if (m_pShm->isAttached())
        __atomic_store_n(ownerSlot(index), identity, __ATOMIC_SEQ_CST);
}

bool SharedCableMap::SwapOwner(int index, uint64_t expected, uint64_t desired)
{
    return m_pShm->isAttached()
        && __atomic_compare_exchange_n(ownerSlot(index), &expected, desired, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
}

bool ProcessAlive(int32_t pid)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

namespace ProcessIdentity {

std::optional<uint64_t> StartTime(int32_t pid)
{
    if (pid <= 0)
        return std::nullopt;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray line = stat.read(4096);
    // The command name may hold blanks and parentheses: the fields start
    // after its last ')'.
    const int close = line.lastIndexOf(')');
    if (close < 0)
        return std::nullopt;
    const QList<QByteArray> fields = line.mid(close + 1).simplified().split(' ');
    const int at = kStartTimeField - kFirstFieldAfterName;
    if (fields.size() <= at)
        return std::nullopt;
    bool ok = false;
    const uint64_t ticks = fields.at(at).toULongLong(&ok);
    return ok ? std::optional<uint64_t>(ticks) : std::nullopt;
}

uint64_t Of(int32_t pid)
{
    const std::optional<uint64_t> start = StartTime(pid);
    if (!start)
        return ProcessAlive(pid) ? static_cast<uint32_t>(pid) : 0; // no /proc: the id alone
    return (*start & 0xFFFFFFFFu) << 32 | static_cast<uint32_t>(pid);
}

bool Alive(uint64_t identity)
{
    const int32_t pid = Pid(identity);
    if (!ProcessAlive(pid))
        return false;
    const std::optional<uint64_t> start = StartTime(pid);
    // Without /proc only the id can be compared.
    return !start || (*start & 0xFFFFFFFFu) == identity >> 32;
}

} // namespace ProcessIdentity

// ---- the watch

CableWatch::CableWatch(const QString &key, CountFunction count, StateFunction state, int periodMs, OwnPortFunction ownPort)
    : m_strKey(key), m_count(std::move(count)), m_state(std::move(state)), m_ownPort(std::move(ownPort)), m_nPeriodMs(periodMs),
      m_nIdentity(ProcessIdentity::Of(static_cast<int32_t>(::getpid())))
{
}

std::optional<int> CableWatch::ownPortCount() const
{
    return m_ownPort ? m_ownPort() : std::nullopt;
}

CableWatch::~CableWatch()
{
    Stop();
}

void CableWatch::Start()
{
    if (m_monitor.joinable())
        return;
    m_bStop = false;
    m_bMonitorEnded = false;
    m_monitor = std::thread([this] {
        monitorLoop();
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_bMonitorEnded = true;
        m_ended.notify_all();
    });
}

void CableWatch::Wake()
{
    std::lock_guard<std::mutex> lock(m_wakeMutex);
    m_bWoken = true;
    m_wake.notify_all();
}

bool CableWatch::wait(int ms)
{
    std::unique_lock<std::mutex> lock(m_wakeMutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_bStop.load() || m_bWoken; });
    m_bWoken = false;
    return m_bStop.load();
}

bool CableWatch::joinWithin(std::thread &thread, std::atomic<bool> &ended, int ms)
{
    if (!thread.joinable())
        return true;
    {
        std::unique_lock<std::mutex> lock(m_wakeMutex);
        m_ended.wait_for(lock, std::chrono::milliseconds(ms), [&] { return ended.load(); });
    }
    if (ended.load()) {
        thread.join();
        return true;
    }
    // A thread stuck in a cable call: left to end by itself rather than
    // holding up the exit.
    thread.detach();
    return false;
}

void CableWatch::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_bStop = true;
        m_wake.notify_all();
    }
    joinWithin(m_poller, m_bPollerEnded, 5000);
    joinWithin(m_monitor, m_bMonitorEnded, 5000);
    // Polling passes to another instance at its next visit.
    SharedCableMap map(m_strKey);
    if (map.Attach()) {
        if (map.SwapOwner(MapPollerOwner, m_nIdentity, 0))
            map.SetValue(MapPollerExists, 0);
        if (m_bBusy.load() && map.SwapOwner(MapBusyOwner, m_nIdentity, 0))
            map.SetValue(MapBusy, 0);
    }
}

void CableWatch::BeginOperation()
{
    m_bBusy = true;
    SharedCableMap map(m_strKey);
    if (map.CreateOrAttach()) {
        map.SetOwner(MapBusyOwner, m_nIdentity);
        map.SetValue(MapBusy, 1);
    }
}

void CableWatch::EndOperation()
{
    SharedCableMap map(m_strKey);
    if (map.Attach()) {
        map.SetValue(MapBusy, 0);
        map.SwapOwner(MapBusyOwner, m_nIdentity, 0);
    }
    m_bBusy = false;
    Wake();
}

void CableWatch::startPoller()
{
    if (m_bPollerRunning.load())
        return;
    if (m_poller.joinable())
        m_poller.join(); // a poller that lost an election has ended
    m_bPollerRunning = true;
    m_bPollerEnded = false;
    m_poller = std::thread([this] {
        pollerLoop();
        m_bPolling = false;
        m_bPollerRunning = false;
        std::lock_guard<std::mutex> lock(m_wakeMutex);
        m_bPollerEnded = true;
        m_ended.notify_all();
    });
}

void CableWatch::monitorLoop()
{
    SharedCableMap map(m_strKey);
    while (!m_bStop.load()) {
        while (m_bBusy.load())
            if (wait(m_nPeriodMs))
                return;
        // An instance with its own port counts it here and leaves the
        // search (and its count) to the others.
        const std::optional<int> own = ownPortCount();
        bool usable = false;
        int count = own.value_or(0);
        {
            std::lock_guard<std::mutex> lock(m_mapLock);
            if (map.Attach()) {
                // A busy flag left by an instance that has gone.
                const uint64_t busyOwner = map.Owner(MapBusyOwner);
                if (map.Value(MapBusy) == 1 && busyOwner != m_nIdentity && !ProcessIdentity::Alive(busyOwner)
                    && map.SwapOwner(MapBusyOwner, busyOwner, 0))
                    map.SetValue(MapBusy, 0);
                const bool othersBusy = map.Value(MapBusy) == 1;
                if (own) {
                    usable = !othersBusy && count == 1;
                } else {
                    count = map.Value(MapDeviceCount);
                    if (!m_bPollerRunning.load()
                        && (map.Value(MapPollerExists) != 1 || !ProcessIdentity::Alive(map.Owner(MapPollerOwner))))
                        startPoller();
                    usable = !othersBusy && map.Value(MapConnected) == 1 && count <= 1;
                }
            } else if (own) {
                usable = count == 1;
            } else if (!m_bPollerRunning.load()) {
                startPoller();
            }
        }
        m_nDeviceCount = count;
        if (m_state)
            m_state(usable, count);
        if (wait(m_nPeriodMs))
            return;
    }
}

void CableWatch::pollerLoop()
{
    SharedCableMap map(m_strKey);
    while (!map.CreateOrAttach())
        if (wait(1000))
            return;
    // The election: our identity into index 4 when it is free or its
    // poller has gone; another live poller keeps it and this thread ends.
    for (;;) {
        const uint64_t current = map.Owner(MapPollerOwner);
        if (current == m_nIdentity)
            break;
        if (current != 0 && ProcessIdentity::Alive(current))
            return;
        if (map.SwapOwner(MapPollerOwner, current, m_nIdentity))
            break;
    }
    m_bPolling = true;
    while (!m_bStop.load()) {
        for (;;) {
            const uint64_t busyOwner = map.Owner(MapBusyOwner);
            const bool othersBusy = map.Value(MapBusy) == 1 && (busyOwner == m_nIdentity || ProcessIdentity::Alive(busyOwner));
            if (!m_bBusy.load() && !othersBusy)
                break;
            if (wait(m_nPeriodMs))
                return;
        }
        if (map.Owner(MapPollerOwner) != m_nIdentity)
            return; // another instance took polling over
        if (ownPortCount()) {
            // Given a port since: the search passes to an instance without.
            if (map.SwapOwner(MapPollerOwner, m_nIdentity, 0))
                map.SetValue(MapPollerExists, 0);
            return;
        }
        map.SetValue(MapPollerExists, 1);
        const int count = m_count ? m_count() : 0;
        map.SetValue(MapDeviceCount, count);
        map.SetValue(MapConnected, count > 0 ? 1 : 0);
        if (wait(m_nPeriodMs))
            return;
    }
}

} // namespace tavo
