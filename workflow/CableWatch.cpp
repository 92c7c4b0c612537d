#include "workflow/CableWatch.h"

#include "base/PrivateFolder.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace tavo {

// ---- the shared map

namespace {
// /proc/PID/stat: the fields after the command name (field 2, in
// parentheses) begin with field 3; the start time is field 22.
constexpr int kFirstFieldAfterName = 3;
constexpr int kStartTimeField = 22;

// The maps of a process without a private folder: its own, one per key,
// for as long as it runs.
std::mutex &LocalMapsLock()
{
    static std::mutex lock;
    return lock;
}
void *LocalMap(const QString &key)
{
    static std::map<QString, std::unique_ptr<uint64_t[]>> maps;
    std::lock_guard<std::mutex> lock(LocalMapsLock());
    std::unique_ptr<uint64_t[]> &map = maps[key];
    if (!map)
        map = std::make_unique<uint64_t[]>(SharedCableMap::kSize / sizeof(uint64_t)); // zeros
    return map.get();
}

QString Formatted(int id, const QString &arg)
{
    QString text = LoadString(id);
    text.replace(QLatin1String("%1"), arg);
    return text;
}
} // namespace

uint64_t MonotonicMs()
{
    struct timespec ts {};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
}

QString SharedCableMap::DefaultKey()
{
    return QStringLiteral("TavoCPSFileMap-%1").arg(::getuid());
}

QString SharedCableMap::MapPath(const QString &key, QStringList *passedOver)
{
    const QString folder = PrivateRuntimeFolder(passedOver);
    if (folder.isEmpty())
        return QString();
    QString name = key;
    for (QChar &c : name)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    return folder + QLatin1Char('/') + name + QStringLiteral(".map");
}

SharedCableMap::SharedCableMap(const QString &key) : m_strKey(key) {}

SharedCableMap::~SharedCableMap()
{
    if (m_pData && !m_bLocal)
        ::munmap(m_pData, kSize);
}

bool SharedCableMap::open(bool create)
{
    if (m_pData)
        return true;
    QStringList passedOver;
    const QString path = MapPath(m_strKey, &passedOver);
    if (path.isEmpty()) {
        m_strProblem = Formatted(msg::CableMapNoPrivateFolder, passedOver.isEmpty() ? QDir::tempPath() : passedOver.join(QStringLiteral(", ")));
        m_pData = LocalMap(m_strKey);
        m_bLocal = true;
        return true;
    }
    const QByteArray native = QFile::encodeName(path);
    int fd = ::open(native.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && create)
        fd = ::open(native.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_CREAT | O_EXCL, 0600);
    if (fd < 0 && errno == EEXIST)
        fd = ::open(native.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC); // made by another instance meanwhile
    if (fd < 0) {
        if (errno != ENOENT) {
            // There, but not to be opened (a link, no rights): never ours.
            m_strProblem = Formatted(msg::CableMapRefused, path);
            m_pData = LocalMap(m_strKey);
            m_bLocal = true;
            return true;
        }
        return false;
    }
    struct stat st {};
    const bool ours = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid() && (st.st_mode & 077) == 0 && st.st_nlink == 1;
    // A map of another size is ours to repair: a new one is still being
    // sized by its maker (the same size, zeros), a damaged one is set right.
    const bool sized = ours && (st.st_size == kSize || ::ftruncate(fd, kSize) == 0);
    void *data = sized ? ::mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0) : MAP_FAILED;
    ::close(fd);
    if (data == MAP_FAILED) {
        m_strProblem = Formatted(msg::CableMapRefused, path);
        m_pData = LocalMap(m_strKey);
        m_bLocal = true;
        return true;
    }
    m_pData = data;
    return true;
}

bool SharedCableMap::Attach()
{
    return open(false);
}

bool SharedCableMap::CreateOrAttach()
{
    return open(true);
}

bool SharedCableMap::IsAttached() const
{
    return m_pData != nullptr;
}

int32_t *SharedCableMap::slot(int index) const
{
    return static_cast<int32_t *>(m_pData) + index;
}

int32_t SharedCableMap::Value(int index) const
{
    return m_pData ? __atomic_load_n(slot(index), __ATOMIC_SEQ_CST) : 0;
}

void SharedCableMap::SetValue(int index, int32_t value)
{
    if (m_pData)
        __atomic_store_n(slot(index), value, __ATOMIC_SEQ_CST);
}

bool SharedCableMap::Swap(int index, int32_t expected, int32_t desired)
{
    return m_pData && __atomic_compare_exchange_n(slot(index), &expected, desired, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
}

uint64_t *SharedCableMap::ownerSlot(int index) const
{
    return reinterpret_cast<uint64_t *>(slot(index));
}

uint64_t SharedCableMap::Owner(int index) const
{
    return m_pData ? __atomic_load_n(ownerSlot(index), __ATOMIC_SEQ_CST) : 0;
}

void SharedCableMap::SetOwner(int index, uint64_t identity)
{
    if (m_pData)
        __atomic_store_n(ownerSlot(index), identity, __ATOMIC_SEQ_CST);
}

bool SharedCableMap::SwapOwner(int index, uint64_t expected, uint64_t desired)
{
    return m_pData && __atomic_compare_exchange_n(ownerSlot(index), &expected, desired, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
}

bool SharedCableMap::RepairValues()
{
    if (!m_pData)
        return false;
    bool repaired = false;
    for (int index : {MapPollerExists, MapConnected, MapBusy}) {
        const int32_t v = Value(index);
        if (v != 0 && v != 1)
            repaired = Swap(index, v, 0) || repaired;
    }
    const int32_t count = Value(MapDeviceCount);
    if (count < 0 || count > kMaxDeviceCount) {
        Swap(MapDeviceCount, count, 0);
        repaired = true;
    }
    // Connected means a cable was counted, and a count means connected.
    const int32_t connected = Value(MapDeviceCount) > 0 ? 1 : 0;
    if (Value(MapConnected) != connected) {
        SetValue(MapConnected, connected);
        repaired = true;
    }
    return repaired;
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

QString CableWatch::MapProblem() const
{
    std::lock_guard<std::mutex> lock(m_problemLock);
    return m_strMapProblem;
}

void CableWatch::noteProblem(const SharedCableMap &map)
{
    std::lock_guard<std::mutex> lock(m_problemLock);
    if (m_strMapProblem.isEmpty())
        m_strMapProblem = map.Problem();
}

bool CableWatch::ownerAlive(const SharedCableMap &map, int ownerIndex, int beatIndex) const
{
    const uint64_t owner = map.Owner(ownerIndex);
    if (owner == m_nIdentity)
        return true;
    if (owner == 0 || !ProcessIdentity::Alive(owner))
        return false;
    // A live process that does not beat (one whose id a damaged map names,
    // or an instance hung in a cable call) is no owner.
    const uint64_t beat = map.Owner(beatIndex);
    const uint64_t now = MonotonicMs();
    const uint64_t stale = 5u * static_cast<uint64_t>(m_nPeriodMs) + 2000u;
    return beat <= now + static_cast<uint64_t>(m_nPeriodMs) && now - std::min(beat, now) <= stale;
}

void CableWatch::BeginOperation()
{
    m_bBusy = true;
    SharedCableMap map(m_strKey);
    if (map.CreateOrAttach()) {
        noteProblem(map);
        map.SetOwner(MapBusyBeat, MonotonicMs());
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
        while (m_bBusy.load()) {
            // Our busy flag beats while the operation runs.
            if (map.Attach() && map.Owner(MapBusyOwner) == m_nIdentity)
                map.SetOwner(MapBusyBeat, MonotonicMs());
            if (wait(m_nPeriodMs))
                return;
        }
        // An instance with its own port counts it here and leaves the
        // search (and its count) to the others.
        const std::optional<int> own = ownPortCount();
        bool usable = false;
        int count = own.value_or(0);
        {
            std::lock_guard<std::mutex> lock(m_mapLock);
            if (map.Attach()) {
                noteProblem(map);
                // Values out of their range or contradicting each other
                // are set right before anything is decided on them.
                map.RepairValues();
                // A busy flag left by an instance that has gone (or that
                // no longer beats).
                const uint64_t busyOwner = map.Owner(MapBusyOwner);
                if (map.Value(MapBusy) == 1 && !ownerAlive(map, MapBusyOwner, MapBusyBeat) && map.SwapOwner(MapBusyOwner, busyOwner, 0))
                    map.SetValue(MapBusy, 0);
                const bool othersBusy = map.Value(MapBusy) == 1;
                if (own) {
                    usable = !othersBusy && count == 1;
                } else {
                    count = map.Value(MapDeviceCount);
                    if (!m_bPollerRunning.load() && (map.Value(MapPollerExists) != 1 || !ownerAlive(map, MapPollerOwner, MapPollerBeat)))
                        startPoller();
                    usable = !othersBusy && map.Value(MapConnected) == 1 && count == 1;
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
    noteProblem(map);
    // The election: our identity into index 4 when it is free or its
    // poller has gone (or no longer beats); another live poller keeps it
    // and this thread ends.
    for (;;) {
        const uint64_t current = map.Owner(MapPollerOwner);
        if (current == m_nIdentity)
            break;
        if (current != 0 && ownerAlive(map, MapPollerOwner, MapPollerBeat))
            return;
        map.SetOwner(MapPollerBeat, MonotonicMs());
        if (map.SwapOwner(MapPollerOwner, current, m_nIdentity))
            break;
    }
    m_bPolling = true;
    while (!m_bStop.load()) {
        for (;;) {
            map.SetOwner(MapPollerBeat, MonotonicMs());
            const bool othersBusy = map.Value(MapBusy) == 1 && ownerAlive(map, MapBusyOwner, MapBusyBeat);
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
        const int count = std::clamp(m_count ? m_count() : 0, 0, static_cast<int>(SharedCableMap::kMaxDeviceCount));
        map.SetValue(MapDeviceCount, count);
        map.SetValue(MapConnected, count > 0 ? 1 : 0);
        map.SetOwner(MapPollerBeat, MonotonicMs());
        if (wait(m_nPeriodMs))
            return;
    }
}

} // namespace tavo
