// Why a port cannot be used, said in one sentence: another program holds it
// (named from /proc), this user lacks its group, or it has gone; and the
// list of candidate ports that `tavocps-cli cables` prints.

#include "support/TestPty.h"
#include "support/CliRunner.h"

#include "radio/SerialTransport.h"
#include "radio/PortDiagnostics.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tavo;

namespace {

// Another program holding `path`: flock(1) keeps it open and locked.
class Holder {
public:
    explicit Holder(const QString &path)
    {
        m_process.start(QStringLiteral("flock"), {path, QStringLiteral("sleep"), QStringLiteral("60")});
        m_process.waitForStarted();
        // Until the lock is taken the port is free; wait for the holder.
        for (int i = 0; i < 200 && PortHolders(path).isEmpty(); ++i)
            QThread::msleep(10);
    }
    ~Holder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    qint64 pid() const { return m_process.processId(); }

private:
    QProcess m_process;
};

} // namespace

TEST(PortDiagnostics, ABusyPortNamesItsHolder)
{
    if (QStandardPaths::findExecutable(QStringLiteral("flock")).isEmpty())
        GTEST_SKIP() << "needs flock(1)";
    test::TestPty pty;
    EXPECT_EQ(CheckPortAccess(pty.slave).kind, PortAccess::Usable) << "this program's own descriptors do not count";
    Holder holder(pty.slave);
    const QString named = QStringLiteral("flock (process %1)").arg(holder.pid());
    const PortAccess access = CheckPortAccess(pty.slave);
    ASSERT_EQ(access.kind, PortAccess::Busy);
    EXPECT_TRUE(access.holders.contains(named)) << access.holders.join(QLatin1Char(',')).toStdString();

    // The radio commands say the same when the open meets the lock.
    const test::CliResult r = test::RunCli({QStringLiteral("identify"), QStringLiteral("--port"), pty.slave});
    EXPECT_EQ(r.exitCode, 1);
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains(QStringLiteral("%1 is in use by ").arg(pty.slave))) << r.err.toStdString();
    EXPECT_TRUE(err.contains(named)) << r.err.toStdString();
}

TEST(PortDiagnostics, AGonePortAndAMissingGroupAreSaidAsSuch)
{
    QTemporaryDir dir;
    const QString gone = dir.filePath(QStringLiteral("ttyUSB7"));
    const PortAccess vanished = CheckPortAccess(gone);
    EXPECT_EQ(vanished.kind, PortAccess::Vanished);
    EXPECT_TRUE(PortAccessText(gone, vanished).startsWith(QStringLiteral("The port %1 is gone").arg(gone)));

    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to look at the port as another user";
    test::TestPty pty;
    const QByteArray slave = pty.slave.toLocal8Bit();
    ASSERT_EQ(::chmod(slave.constData(), 0660), 0);
    struct stat st{};
    ASSERT_EQ(::stat(slave.constData(), &st), 0);
    const group *g = getgrgid(st.st_gid);
    ASSERT_NE(g, nullptr);
    const QString expected = QStringLiteral("usermod -aG %1").arg(QString::fromLocal8Bit(g->gr_name));
    // A user outside the port's group (nobody) looks at it.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)
            _exit(10);
        const PortAccess denied = CheckPortAccess(pty.slave);
        if (denied.kind != PortAccess::Denied)
            _exit(11);
        const QString text = PortAccessText(pty.slave, denied);
        _exit(text.contains(expected) && text.contains(QLatin1String("log in again")) ? 0 : 12);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 could not drop rights, 11 not denied, 12 no group hint";
}

TEST(PortDiagnostics, CandidatesAreThePortsOnUsb)
{
    test::TestPty pty;
    const std::vector<SerialTransport::PortEntry> ports{
        {QStringLiteral("/dev/ttyS0"), std::nullopt},
        {pty.slave, QStringLiteral("Zerva Series CPS Cable")},
        {QStringLiteral("/nonexistent/ttyUSB1"), QStringLiteral("FT232R USB UART")},
    };
    const std::vector<CandidatePort> candidates = CandidatePorts(ports);
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_TRUE(candidates[0].isCable);
    EXPECT_EQ(candidates[0].access.kind, PortAccess::Usable);
    EXPECT_FALSE(candidates[1].isCable);
    EXPECT_EQ(candidates[1].access.kind, PortAccess::Vanished);

    // The command prints the count, then one line per port on USB.
    const test::CliResult r = test::RunCli({QStringLiteral("cables")});
    EXPECT_EQ(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    for (const QString &line : lines.mid(1))
        EXPECT_TRUE(line == QLatin1String("No USB serial port found.") || line.contains(QLatin1String("this user can")))
            << line.toStdString();
}
