#include "workflow/CableWatch.h"

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
// owner slots.
constexpr int kClearedBytes = 6 * 4;
} // namespace

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

bool ProcessAlive(int32_t pid)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// ---- the watch

CableWatch::CableWatch(const QString &key, CountFunction count, StateFunction state, int periodMs)
    : m_strKey(key), m_count(std::move(count)), m_state(std::move(state)), m_nPeriodMs(periodMs), m_nPid(static_cast<int32_t>(::getpid()))
{
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
        if (map.Swap(MapPollerPid, m_nPid, 0))
            map.SetValue(MapPollerExists, 0);
        if (m_bBusy.load() && map.Swap(MapBusyPid, m_nPid, 0))
            map.SetValue(MapBusy, 0);
    }
}

void CableWatch::BeginOperation()
{
    m_bBusy = true;
    SharedCableMap map(m_strKey);
    if (map.CreateOrAttach()) {
        map.SetValue(MapBusyPid, m_nPid);
        map.SetValue(MapBusy, 1);
    }
}

void CableWatch::EndOperation()
{
    SharedCableMap map(m_strKey);
    if (map.Attach()) {
        map.SetValue(MapBusy, 0);
        map.Swap(MapBusyPid, m_nPid, 0);
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
        bool usable = false;
        int count = 0;
        {
            std::lock_guard<std::mutex> lock(m_mapLock);
            if (map.Attach()) {
                count = map.Value(MapDeviceCount);
                m_nDeviceCount = count;
                // A busy flag left by an instance that has gone.
                const int32_t busyPid = map.Value(MapBusyPid);
                if (map.Value(MapBusy) == 1 && busyPid != m_nPid && !ProcessAlive(busyPid) && map.Swap(MapBusyPid, busyPid, 0))
                    map.SetValue(MapBusy, 0);
                const int32_t pollerPid = map.Value(MapPollerPid);
                if (!m_bPollerRunning.load() && (map.Value(MapPollerExists) != 1 || !ProcessAlive(pollerPid)))
                    startPoller();
                usable = map.Value(MapBusy) != 1 && map.Value(MapConnected) == 1 && count <= 1;
            } else if (!m_bPollerRunning.load()) {
                startPoller();
            }
        }
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
    // The election: our id into index 4 when it is free or its poller has
    // gone; another live poller keeps it and this thread ends.
    for (;;) {
        const int32_t current = map.Value(MapPollerPid);
        if (current == m_nPid)
            break;
        if (current != 0 && ProcessAlive(current))
            return;
        if (map.Swap(MapPollerPid, current, m_nPid))
            break;
    }
    m_bPolling = true;
    while (!m_bStop.load()) {
        for (;;) {
            const int32_t busyPid = map.Value(MapBusyPid);
            const bool othersBusy = map.Value(MapBusy) == 1 && (busyPid == m_nPid || ProcessAlive(busyPid));
            if (!m_bBusy.load() && !othersBusy)
                break;
            if (wait(m_nPeriodMs))
                return;
        }
        if (map.Value(MapPollerPid) != m_nPid)
            return; // another instance took polling over
        map.SetValue(MapPollerExists, 1);
        const int count = m_count ? m_count() : 0;
        map.SetValue(MapDeviceCount, count);
        map.SetValue(MapConnected, count > 0 ? 1 : 0);
        if (wait(m_nPeriodMs))
            return;
    }
}

} // namespace tavo
