// The cable watch between processes: two instances share one poller; a
// poller that is killed while it holds the busy flag is taken over and its
// flag cleared, so the other instance sees the cable again.

#include "workflow/CableWatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

using namespace tavo;

namespace {

class Probe {
public:
    Probe(const QString &key, bool busy)
    {
        QStringList args{key};
        if (busy)
            args << QStringLiteral("--busy");
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
    EXPECT_EQ(map.Value(MapPollerPid), second.Pid()) << "first " << firstPid << " test " << QCoreApplication::applicationPid();
    EXPECT_EQ(map.Value(MapBusy), 0);
    EXPECT_EQ(map.Value(MapConnected), 1);
}
