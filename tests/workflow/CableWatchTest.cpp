// The cable watch between processes: two instances share one poller; a
// poller that is killed while it holds the busy flag is taken over and its
// flag cleared, so the other instance sees the cable again; an instance
// with its own port watches that port alone; the map is the user's, and a
// recorded owner whose process id now belongs to another process is not
// trusted.

#include "base/PrivateFolder.h"
#include "workflow/CableWatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavo;

namespace {

class Probe {
public:
    Probe(const QString &key, bool busy, const QStringList &more = {})
    {
        QStringList args{key};
        if (busy)
            args << QStringLiteral("--busy");
        args << more;
        m_proc.start(QStringLiteral(TAVO_BIN_DIR "/cable_watch_probe"), args);
        m_proc.waitForStarted(10000);
    }
    ~Probe()
    {
        if (m_proc.state() == QProcess::Running) {
            m_proc.kill();
            m_proc.waitForFinished(5000);
        }
    }
    // Waits for a line that starts with `prefix`; the lines seen meanwhile
    // are counted in `seen` by their text.
    bool WaitLine(const QString &prefix, int ms, QStringList *seen = nullptr)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            while (m_proc.canReadLine()) {
                const QString line = QString::fromUtf8(m_proc.readLine()).trimmed();
                if (seen)
                    *seen << line;
                if (line.startsWith(prefix))
                    return true;
            }
            m_proc.waitForReadyRead(100);
        }
        return false;
    }
    qint64 Pid() const { return m_proc.processId(); }
    void KillHard()
    {
        ::kill(static_cast<pid_t>(m_proc.processId()), SIGKILL);
        m_proc.waitForFinished(5000);
    }

private:
    QProcess m_proc;
};

} // namespace

TEST(CableWatch, TwoProcessesShareOnePollerAndAKilledOneIsTakenOver)
{
    const QString key = QStringLiteral("TavoCPSWatchTest-%1").arg(QCoreApplication::applicationPid());
    auto first = std::make_unique<Probe>(key, true);
    const qint64 firstPid = first->Pid();
    ASSERT_TRUE(first->WaitLine(QStringLiteral("poller=1"), 5000)) << "the first instance polls";
    ASSERT_TRUE(first->WaitLine(QStringLiteral("busy"), 5000));

    // The second sees the busy flag (not usable) and never polls itself.
    Probe second(key, false);
    QStringList seen;
    ASSERT_TRUE(second.WaitLine(QStringLiteral("poller=0 usable=0 count=1"), 5000, &seen));
    second.WaitLine(QStringLiteral("never"), 1500, &seen);
    EXPECT_FALSE(seen.join(QLatin1Char('\n')).contains(QLatin1String("poller=1"))) << "one poller among the instances";

    // SIGKILL: no clean-up runs. Polling passes over and the dead
    // instance's busy flag clears within a few seconds.
    first->KillHard();
    QElapsedTimer t;
    t.start();
    EXPECT_TRUE(second.WaitLine(QStringLiteral("poller=1 usable=1 count=1"), 5000));
    EXPECT_LT(t.elapsed(), 5000);

    // The shared map holds the survivor's claims.
    SharedCableMap map(key);
    ASSERT_TRUE(map.Attach());
    EXPECT_EQ(ProcessIdentity::Pid(map.Owner(MapPollerOwner)), second.Pid()) << "first " << firstPid << " test " << QCoreApplication::applicationPid();
    EXPECT_EQ(map.Value(MapBusy), 0);
    EXPECT_EQ(map.Value(MapConnected), 1);
}

TEST(CableWatch, AnInstanceWithItsOwnPortWatchesOnlyThatPort)
{
    const QString key = QStringLiteral("TavoCPSWatchPort-%1").arg(QCoreApplication::applicationPid());
    const QString missing = QStringLiteral("/nonexistent/ttyTAVO");
    // The instances with a port start first, so that one of them would be
    // the poller if a port took part in the search.
    Probe gone(key, false, {QStringLiteral("--port"), missing});
    Probe present(key, false, {QStringLiteral("--port"), QStringLiteral("/dev/null")});
    ASSERT_TRUE(gone.WaitLine(QStringLiteral("poller="), 5000));
    ASSERT_TRUE(present.WaitLine(QStringLiteral("poller="), 5000));
    Probe search(key, false, {QStringLiteral("--cables"), QStringLiteral("1")});

    EXPECT_TRUE(search.WaitLine(QStringLiteral("poller=1 usable=1 count=1"), 5000)) << "the search is not decided by another's port";
    QStringList goneSeen, presentSeen;
    EXPECT_TRUE(gone.WaitLine(QStringLiteral("poller=0 usable=0 count=0"), 3000, &goneSeen)) << goneSeen.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(present.WaitLine(QStringLiteral("poller=0 usable=1 count=1"), 3000, &presentSeen)) << presentSeen.join(QLatin1Char('|')).toStdString();
    gone.WaitLine(QStringLiteral("never"), 1000, &goneSeen);
    present.WaitLine(QStringLiteral("never"), 1000, &presentSeen);
    const QString all = (goneSeen + presentSeen).join(QLatin1Char('|'));
    EXPECT_FALSE(all.contains(QLatin1String("poller=1"))) << "an instance with a port polled: " << all.toStdString();
    EXPECT_FALSE(goneSeen.join(QLatin1Char('|')).contains(QLatin1String("usable=1"))) << "the missing port took the others' count";

    // And the reverse: no cable found by the search, a port that exists.
    const QString key2 = key + QStringLiteral("-b");
    Probe withPort(key2, false, {QStringLiteral("--port"), QStringLiteral("/dev/null")});
    ASSERT_TRUE(withPort.WaitLine(QStringLiteral("poller="), 5000));
    Probe noCable(key2, false, {QStringLiteral("--cables"), QStringLiteral("0")});
    EXPECT_TRUE(noCable.WaitLine(QStringLiteral("poller=1 usable=0 count=0"), 5000)) << "no cable, not connected";
    EXPECT_TRUE(withPort.WaitLine(QStringLiteral("poller=0 usable=1 count=1"), 3000));
}

TEST(CableWatch, TheMapIsTheUsersAndAReusedProcessIdIsNotItsOwner)
{
    EXPECT_TRUE(SharedCableMap::DefaultKey().endsWith(QStringLiteral("-%1").arg(::getuid()))) << SharedCableMap::DefaultKey().toStdString();

    // This test process stands in for a new process that got the id of a
    // crashed poller that was also busy: same id, another start time.
    const int32_t pid = static_cast<int32_t>(::getpid());
    const std::optional<uint64_t> start = ProcessIdentity::StartTime(pid);
    ASSERT_TRUE(start.has_value());
    const uint64_t now = ProcessIdentity::Of(pid);
    EXPECT_EQ(ProcessIdentity::Pid(now), pid);
    EXPECT_TRUE(ProcessIdentity::Alive(now));
    const uint64_t earlier = (((*start - 1) & 0xFFFFFFFFu) << 32) | static_cast<uint32_t>(pid);
    EXPECT_FALSE(ProcessIdentity::Alive(earlier));

    const QString key = QStringLiteral("TavoCPSWatchReuse-%1").arg(QCoreApplication::applicationPid());
    SharedCableMap map(key);
    ASSERT_TRUE(map.CreateOrAttach());
    map.SetValue(MapPollerExists, 1);
    map.SetOwner(MapPollerOwner, earlier);
    map.SetValue(MapBusy, 1);
    map.SetOwner(MapBusyOwner, earlier);
    map.SetValue(MapConnected, 0);

    Probe probe(key, false);
    QStringList seen;
    EXPECT_TRUE(probe.WaitLine(QStringLiteral("poller=1 usable=1 count=1"), 5000, &seen))
        << "the stale owner was trusted: " << seen.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(ProcessIdentity::Pid(map.Owner(MapPollerOwner)), probe.Pid());
    EXPECT_EQ(map.Value(MapBusy), 0);
}

namespace {
// A probe with its own environment (the private folder's candidates).
class EnvProbe {
public:
    EnvProbe(const QString &key, const QProcessEnvironment &env, const QStringList &more = {})
    {
        m_proc.setProcessEnvironment(env);
        m_proc.start(QStringLiteral(TAVO_BIN_DIR "/cable_watch_probe"), QStringList{key} + more);
        m_proc.waitForStarted(10000);
    }
    ~EnvProbe()
    {
        m_proc.kill();
        m_proc.waitForFinished(5000);
    }
    // Every line until `ms` have passed or one starts with `prefix`.
    QStringList LinesUntil(const QString &prefix, int ms)
    {
        QStringList seen;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            while (m_proc.canReadLine()) {
                seen << QString::fromUtf8(m_proc.readLine()).trimmed();
                if (seen.last().startsWith(prefix))
                    return seen;
            }
            m_proc.waitForReadyRead(100);
        }
        return seen;
    }

private:
    QProcess m_proc;
};
} // namespace

// A map damaged by the same user: a count of -7 with the connected flag
// set, a busy flag of 5 and a poller that is a live process but never
// polls (pid 1). Nothing of it is trusted: the cable never shows as
// usable, the values are repaired and polling is taken over.
TEST(CableWatch, ADamagedMapIsRepairedAndAPollerThatDoesNotBeatIsTakenOver)
{
    const QString key = QStringLiteral("TavoCPSWatchDamaged-%1").arg(QCoreApplication::applicationPid());
    SharedCableMap map(key);
    ASSERT_TRUE(map.CreateOrAttach());
    ASSERT_TRUE(map.Problem().isEmpty()) << map.Problem().toStdString();
    map.SetValue(MapPollerExists, 1);
    map.SetOwner(MapPollerOwner, ProcessIdentity::Of(1));
    map.SetOwner(MapPollerBeat, MonotonicMs());
    map.SetValue(MapConnected, 1);
    map.SetValue(MapDeviceCount, -7);
    map.SetValue(MapBusy, 5);
    ASSERT_TRUE(ProcessIdentity::Alive(map.Owner(MapPollerOwner)));

    Probe probe(key, false, {QStringLiteral("--cables"), QStringLiteral("0")});
    QStringList seen;
    EXPECT_TRUE(probe.WaitLine(QStringLiteral("poller=1 usable=0 count=0"), 8000, &seen)) << seen.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(seen.join(QLatin1Char('|')).contains(QLatin1String("usable=1"))) << "a damaged count taken for a cable: " << seen.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(ProcessIdentity::Pid(map.Owner(MapPollerOwner)), probe.Pid());
    EXPECT_EQ(map.Value(MapDeviceCount), 0);
    EXPECT_EQ(map.Value(MapConnected), 0);
    EXPECT_EQ(map.Value(MapBusy), 0);
}

// A map file this user did not keep to itself (mode 666) is not used: the
// instance keeps a map of its own, says why once, and still watches the
// cable.
TEST(CableWatch, AMapOpenToOthersIsRefusedAndTheInstanceWatchesAlone)
{
    const QString key = QStringLiteral("TavoCPSWatchOpen-%1").arg(QCoreApplication::applicationPid());
    const QString path = SharedCableMap::MapPath(key);
    ASSERT_FALSE(path.isEmpty());
    {
        SharedCableMap map(key);
        ASSERT_TRUE(map.CreateOrAttach());
        map.SetValue(MapBusy, 1); // would block everybody, were it trusted
    }
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    SharedCableMap refused(key);
    ASSERT_TRUE(refused.Attach());
    EXPECT_FALSE(refused.Problem().isEmpty());
    EXPECT_EQ(refused.Value(MapBusy), 0) << "the open file was read";

    Probe probe(key, false);
    QStringList seen;
    EXPECT_TRUE(probe.WaitLine(QStringLiteral("poller=1 usable=1 count=1"), 5000, &seen)) << seen.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(seen.filter(QStringLiteral("problem=")).size(), 1) << seen.join(QLatin1Char('|')).toStdString();
    QFile::remove(path);
}

// Another local user who makes the private folder under the temporary
// folder first (mode 0700, theirs) and plants a map open to all in it:
// neither the map nor the hand-over is turned off or taken; both move to
// the user's own cache folder. Needs root to act as the other user.
TEST(CableWatch, AFolderAndMapPlantedByAnotherUserAreNeverUsed)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to create and act as a second user";
    const QString other = QStringLiteral("tavocpsother");
    if (QProcess::execute(QStringLiteral("id"), {QStringLiteral("-u"), other}) != 0
        && QProcess::execute(QStringLiteral("useradd"), {QStringLiteral("-M"), QStringLiteral("-r"), QStringLiteral("-s"), QStringLiteral("/bin/false"), other}) != 0)
        GTEST_SKIP() << "useradd is not available";
    // The other user has to reach the shared temporary folder. TMPDIR may
    // lie below a folder closed to others (a home of mode 700, say); then
    // /tmp stands in, and where neither can be reached the test cannot run.
    auto reachable = [&](const QString &dir) {
        return QProcess::execute(QStringLiteral("runuser"), {QStringLiteral("-u"), other, QStringLiteral("--"), QStringLiteral("test"), QStringLiteral("-w"),
                                                             dir, QStringLiteral("-a"), QStringLiteral("-x"), dir})
            == 0;
    };
    std::optional<QTemporaryDir> tmp;
    for (const QString &base : {QDir::tempPath(), QStringLiteral("/tmp")}) {
        tmp.emplace(base + QStringLiteral("/tavocps-shared-XXXXXX"));
        if (tmp->isValid() && ::chmod(QFile::encodeName(tmp->path()).constData(), 01777) == 0 && reachable(tmp->path()))
            break;
        tmp.reset();
    }
    if (!tmp)
        GTEST_SKIP() << "user " << other.toStdString() << " cannot reach a temporary folder: neither " << QDir::tempPath().toStdString()
                     << " nor /tmp is open to others (a folder above it has mode 700?)";
    QTemporaryDir home;
    const QString planted = tmp->filePath(QStringLiteral("tavocps-%1").arg(::getuid()));
    const QString key = QStringLiteral("TavoCPSWatchPlanted-%1").arg(QCoreApplication::applicationPid());
    // The other user's folder and a mode-666 map that says "busy".
    ASSERT_EQ(QProcess::execute(QStringLiteral("runuser"), {QStringLiteral("-u"), other, QStringLiteral("--"), QStringLiteral("mkdir"), QStringLiteral("-m"), QStringLiteral("700"), planted}), 0);
    const QString plantedMap = planted + QLatin1Char('/') + key + QStringLiteral(".map");
    ASSERT_EQ(QProcess::execute(QStringLiteral("runuser"), {QStringLiteral("-u"), other, QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"),
                                                          QStringLiteral("head -c 1024 /dev/zero > '%1' && chmod 666 '%1'").arg(plantedMap)}), 0);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("TMPDIR"), tmp->path());
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    EnvProbe probe(key, env);
    const QStringList seen = probe.LinesUntil(QStringLiteral("poller=1 usable=1 count=1"), 5000);
    EXPECT_FALSE(seen.isEmpty() || !seen.last().startsWith(QLatin1String("poller=1 usable=1"))) << seen.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(seen.filter(QStringLiteral("problem=")).isEmpty()) << "a safe folder was found: nothing to say";
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("cache/tavocps-run/")) + key + QStringLiteral(".map")));
    QFile map(plantedMap);
    ASSERT_TRUE(map.open(QIODevice::ReadOnly));
    EXPECT_EQ(map.readAll(), QByteArray(1024, '\0')) << "the planted map was written to";

    // The same folder for the hand-over socket, in this process.
    const QByteArray oldTmp = qgetenv("TMPDIR"), oldRuntime = qgetenv("XDG_RUNTIME_DIR"), oldCache = qgetenv("XDG_CACHE_HOME");
    qputenv("TMPDIR", tmp->path().toLocal8Bit());
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    QStringList passedOver;
    const QString folder = PrivateRuntimeFolder(&passedOver);
    auto restore = [](const char *name, const QByteArray &value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("TMPDIR", oldTmp);
    restore("XDG_RUNTIME_DIR", oldRuntime);
    restore("XDG_CACHE_HOME", oldCache);
    EXPECT_EQ(folder, home.filePath(QStringLiteral("cache/tavocps-run")));
    EXPECT_EQ(passedOver, QStringList{planted});
}
