// Files under faults: the atomic writer on a full disk and with hard links,
// and traces and logs that are pipes, devices or on a full disk.

#include "base/AtomicFile.h"
#include "radio/LinkTrace.h"
#include "support/SmallDisk.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tavo;

namespace {

QByteArray Bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void Put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString MakeFifo(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("fifo"));
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
}

} // namespace

// A full disk: the write fails naming the file and the system's cause, the
// old file stays byte for byte (a lone one and a hard-linked one), no
// temporary file is left; once there is room again both are written, the
// link kept and the mode kept.
TEST(AtomicWriter, FullDiskLeavesTheOldFileAndNoTemporaryFile)
{
    test::SmallDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    const QString lone = disk.FilePath(QStringLiteral("p.kp2"));
    const QString linked = disk.FilePath(QStringLiteral("linked.kp2"));
    const QString other = disk.FilePath(QStringLiteral("other-name.kp2"));
    const QByteArray old(6000, 'o');
    Put(lone, old);
    Put(linked, old);
    ::chmod(QFile::encodeName(lone).constData(), 0640);
    ASSERT_EQ(::link(QFile::encodeName(linked).constData(), QFile::encodeName(other).constData()), 0);
    disk.Fill();

    const QByteArray bigger(12000, 'n');
    for (const QString &path : {lone, linked}) {
        QString error, cause;
        EXPECT_FALSE(WriteFileAtomically(path, bigger, error, &cause)) << path.toStdString();
        EXPECT_EQ(error, QStringLiteral("Cannot write %1: No space left on device").arg(path));
        EXPECT_EQ(cause, QStringLiteral("No space left on device"));
        EXPECT_EQ(Bytes(path), old) << path.toStdString();
    }
    EXPECT_EQ(Bytes(other), old);
    QString error;
    EXPECT_FALSE(WriteFileAtomically(disk.FilePath(QStringLiteral("new.kp2")), bigger, error));
    EXPECT_EQ(disk.Names(), (QStringList{QStringLiteral("linked.kp2"), QStringLiteral("other-name.kp2"), QStringLiteral("p.kp2")}));

    disk.Free();
    ASSERT_TRUE(WriteFileAtomically(lone, bigger, error)) << error.toStdString();
    ASSERT_TRUE(WriteFileAtomically(linked, bigger, error)) << error.toStdString();
    EXPECT_EQ(Bytes(lone), bigger);
    EXPECT_EQ(Bytes(other), bigger) << "the other name of the file sees the new content";
    struct stat st{};
    ::stat(QFile::encodeName(lone).constData(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    ::stat(QFile::encodeName(linked).constData(), &st);
    EXPECT_EQ(st.st_nlink, 2u);
    EXPECT_EQ(disk.Names().size(), 3);
}

// Traces and logs never wait on a pipe: a FIFO is refused at once with a
// message, a folder too; a device named by the user is taken. A trace that
// stops taking lines says so once and goes on in memory; a log line that
// does not reach its file or device says so.
TEST(TracesAndLogs, PipesAreRefusedAtOnceAndLostLinesAreSaid)
{
    QTemporaryDir dir;
    const QString fifo = MakeFifo(dir);
    QElapsedTimer timer;
    timer.start();
    QString error;
    LinkTrace trace;
    EXPECT_FALSE(trace.OpenFile(fifo, error));
    EXPECT_TRUE(error.startsWith(fifo + QStringLiteral(" is neither a regular file nor a device"))) << error.toStdString();
    LineLog log;
    error.clear();
    EXPECT_FALSE(log.Open(fifo, error));
    EXPECT_TRUE(error.startsWith(fifo)) << error.toStdString();
    EXPECT_FALSE(trace.OpenFile(dir.path(), error));
    EXPECT_LT(timer.elapsed(), 2000) << "nothing waited for a reader";

    // A device takes the lines; /dev/full refuses them: said once.
    LinkTrace full;
    QStringList said;
    full.SetWriteFailureReport([&](const QString &text) { said << text; });
    ASSERT_TRUE(full.OpenFile(QStringLiteral("/dev/full"), error)) << error.toStdString();
    const uint8_t frame[] = {0xFF, 0x11, 0x00};
    full.Sent(frame, sizeof frame);
    full.Received(frame, sizeof frame);
    full.Failure(QStringLiteral("read 010E18 32: no answer"));
    full.Flush();
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said[0], QStringLiteral("The trace cannot be written (/dev/full: No space left on device). The transfer goes on without it."));
    EXPECT_TRUE(full.WriteFailed());
    EXPECT_EQ(full.Lines().size(), 3) << "the lines are still kept in memory";

    LineLog device;
    bool fresh = false;
    ASSERT_TRUE(device.Open(QStringLiteral("/dev/full"), error, &fresh)) << error.toStdString();
    EXPECT_FALSE(device.Append("serial,model", error));
    EXPECT_EQ(error, QStringLiteral("Cannot write /dev/full: No space left on device"));

    // A regular log keeps every line, and a reopened one goes on after them.
    const QString path = dir.filePath(QStringLiteral("batch.csv"));
    {
        LineLog file;
        ASSERT_TRUE(file.Open(path, error, &fresh));
        EXPECT_TRUE(fresh);
        ASSERT_TRUE(file.Append("a", error));
    }
    LineLog again;
    ASSERT_TRUE(again.Open(path, error, &fresh));
    EXPECT_FALSE(fresh);
    ASSERT_TRUE(again.Append("b", error));
    EXPECT_EQ(Bytes(path), QByteArray("a\nb\n"));
}

// A log on a full disk: the line is refused, the lines before stay.
TEST(TracesAndLogs, ALogOnAFullDiskKeepsItsLinesAndSaysSo)
{
    test::SmallDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    const QString path = disk.FilePath(QStringLiteral("batch.csv"));
    LineLog log;
    QString error;
    ASSERT_TRUE(log.Open(path, error));
    ASSERT_TRUE(log.Append("header", error));
    disk.Fill();
    EXPECT_FALSE(log.Append("radio 1", error));
    EXPECT_EQ(error, QStringLiteral("Cannot write %1: No space left on device").arg(path));
    EXPECT_EQ(Bytes(path), QByteArray("header\n"));
    EXPECT_EQ(disk.Names(), QStringList{QStringLiteral("batch.csv")});
}
