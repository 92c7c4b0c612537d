// Files under faults: the atomic writer on a full disk and with hard links,
// and traces and logs that are pipes, devices or on a full disk.

#include "base/AtomicFile.h"
#include "radio/LinkTrace.h"
#include "support/SmallDisk.h"

#include <QDir>
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

// A log is only ever appended to: the file stays the same file (never
// replaced), lines others add between ours stay, and a log emptied or
// removed meanwhile gets its header back before the next line.
TEST(TracesAndLogs, ALogIsAppendedToAndNeverRewritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fleet.csv"));
    LineLog log;
    QString error;
    bool fresh = false;
    ASSERT_TRUE(log.Open(path, error, &fresh, "serial,result")) << error.toStdString();
    EXPECT_TRUE(fresh);
    struct stat before;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);
    ASSERT_TRUE(log.Append("A1,OK", error));
    {
        QFile other(path);
        ASSERT_TRUE(other.open(QIODevice::Append));
        other.write("written by hand\n");
    }
    ASSERT_TRUE(log.Check(error));
    ASSERT_TRUE(log.Append("A2,OK", error));
    struct stat after;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino) << "appended, not replaced";
    EXPECT_EQ(Bytes(path), QByteArray("serial,result\nA1,OK\nwritten by hand\nA2,OK\n"));

    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(log.Append("A3,OK", error));
    EXPECT_EQ(Bytes(path), QByteArray("serial,result\nA3,OK\n"));

    // Opened again, a log with lines keeps them and gets no second header.
    LineLog again;
    ASSERT_TRUE(again.Open(path, error, &fresh, "serial,result"));
    EXPECT_FALSE(fresh);
    EXPECT_EQ(Bytes(path), QByteArray("serial,result\nA3,OK\n"));

    // A folder where the log was: said before a line is lost.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));
    EXPECT_FALSE(log.Check(error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
}

// A log on a full disk: said before the next radio, the line is refused
// whole (no half line), the lines before stay.
TEST(TracesAndLogs, ALogOnAFullDiskKeepsItsLinesAndSaysSo)
{
    test::SmallDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    const QString path = disk.FilePath(QStringLiteral("batch.csv"));
    LineLog log;
    QString error;
    ASSERT_TRUE(log.Open(path, error));
    // A first line that fills its block: the next needs one the disk has not.
    const QByteArray header(4095, 'h');
    ASSERT_TRUE(log.Append(header, error));
    disk.Fill();
    EXPECT_FALSE(log.Check(error)) << "a full disk is said before the radio";
    EXPECT_EQ(error, QStringLiteral("Cannot write %1: No space left on device").arg(path));
    EXPECT_FALSE(log.Append("radio 1", error));
    EXPECT_EQ(error, QStringLiteral("Cannot write %1: No space left on device").arg(path));
    EXPECT_EQ(Bytes(path), header + '\n');
    EXPECT_EQ(disk.Names(), QStringList{QStringLiteral("batch.csv")});
}
