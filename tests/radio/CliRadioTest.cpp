// tavocps-cli's radio commands against tavo-radio-sim, as a dealer runs
// them: output, messages and exit status.

#include "RadioTestSupport.h"

#include "support/CliRunner.h"

#include <gtest/gtest.h>

#include <random>

using namespace tavo;
using tavo::test::RunCli;
using tavo::test::SimProcess;

namespace {
QStringList SampleArgs(QStringList more = {})
{
    return QStringList{QStringLiteral("--image"), test::SampleImagePath()} + more;
}
QString Text(const QByteArray &b)
{
    return QString::fromUtf8(b);
}
} // namespace

TEST(CliRadio, ReadImageFromTheSimulatedRadio)
{
    SimProcess sim(SampleArgs());
    ASSERT_FALSE(sim.Port().isEmpty());
    const QString out = sim.TempPath(QStringLiteral("read.img"));
    // Progress on a pipe only when asked for.
    const test::CliResult r = RunCli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), out, QStringLiteral("--progress")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Reading from the radio ... 10%")));
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Read Succeeded!")));
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QFile sample(test::SampleImagePath());
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), sample.readAll());
    sim.Stop();
    const QStringList log = sim.Log();
    EXPECT_EQ(log.first(), QStringLiteral("LINK"));
    EXPECT_TRUE(log.contains(QStringLiteral("RESET")));
}

TEST(CliRadio, WriteImageToTheSimulatedRadio)
{
    SimProcess sim(SampleArgs({QStringLiteral("--baud"), QStringLiteral("0")}));
    ASSERT_FALSE(sim.Port().isEmpty());
    const test::CliResult r = RunCli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), test::SampleImagePath(), QStringLiteral("--progress")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Writing to the radio ... 80%")));
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Write Succeeded!")));
    sim.Stop();
    const QStringList log = sim.Log();
    EXPECT_TRUE(log.contains(QStringLiteral("CLOSEFREQ 16 1")));
    EXPECT_EQ(log.last().left(3), QStringLiteral("END"));
    EXPECT_EQ(log[log.size() - 2], QStringLiteral("RESET"));
    // The sample radio written with its own image holds what it held.
    EXPECT_EQ(test::ToVector(sim.Dump()), PackImageToRadioMemory(test::SampleImage()));
}

TEST(CliRadio, IdentifyPrintsTheRecord)
{
    SimProcess sim(SampleArgs({QStringLiteral("--baud"), QStringLiteral("0")}));
    const test::CliResult r = RunCli({QStringLiteral("identify"), QStringLiteral("--port"), sim.Port()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString out = Text(r.out);
    EXPECT_TRUE(out.contains(QLatin1String("model: OUD11602"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QLatin1String("firmware: R02.01"))) << "as Radio Information shows it";
    EXPECT_TRUE(out.contains(QLatin1String("codeplug: D 18")));
    EXPECT_TRUE(out.contains(QLatin1String("frequency slots: 16")));
}

TEST(CliRadio, MemoryWarningsAreShownAndFail)
{
    SimProcess sim(SampleArgs({QStringLiteral("--memory-status"), QStringLiteral("8"), QStringLiteral("--baud"), QStringLiteral("0")}));
    const QString out = sim.TempPath(QStringLiteral("read.img"));
    const test::CliResult r = RunCli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Warning: Radio's memory is corrupted. Please perform factory reset to correct the error.")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out)) << "no image from a failed read";
    EXPECT_EQ(Text(r.err).count(QLatin1String("Warning:")), 1) << "the reset's outcome never masks the warning";
    sim.Stop();
    const QStringList log = sim.Log();
    EXPECT_EQ(log.indexOf(QStringLiteral("STATUS 8")) + 1, log.indexOf(QStringLiteral("RESET"))) << "the reset follows the warning";
}

TEST(CliRadio, ARefusedWriteIsACommunicationError)
{
    SimProcess sim(SampleArgs({QStringLiteral("--refuse-write"), QStringLiteral("--baud"), QStringLiteral("0")}));
    const test::CliResult r = RunCli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), test::SampleImagePath()});
    EXPECT_EQ(r.exitCode, 1);
    const QString err = Text(r.err);
    EXPECT_TRUE(err.contains(QLatin1String("Write Failed!")));
    EXPECT_TRUE(err.contains(QLatin1String("Error: Communication Error.")));
    EXPECT_TRUE(err.contains(QLatin1String("protocol error -12"))) << err.toStdString();
}

TEST(CliRadio, AMissingPortIsACommunicationError)
{
    const test::CliResult r = RunCli({QStringLiteral("identify"), QStringLiteral("--port"), QStringLiteral("/dev/tavo-no-such-port")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("Error: Communication Error.")));
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("/dev/tavo-no-such-port"))) << r.err.toStdString();
}

TEST(CliRadio, FactoryResetNeedsYesThenResetsTwice)
{
    SimProcess sim(SampleArgs({QStringLiteral("--baud"), QStringLiteral("0")}));
    test::CliResult r = RunCli({QStringLiteral("factory-reset"), QStringLiteral("--port"), sim.Port()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(Text(r.err).contains(QLatin1String("erase all user settings")));
    r = RunCli({QStringLiteral("factory-reset"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--yes")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    sim.Stop();
    const QStringList log = sim.Log();
    const int control = log.indexOf(QStringLiteral("CONTROL 1F 03 01"));
    ASSERT_GE(control, 0);
    EXPECT_EQ(log.indexOf(QStringLiteral("RESET")), control + 2) << "a factory reset is followed by a reset";
}

TEST(CliRadio, UsageErrors)
{
    const test::CliResult read = RunCli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("/dev/null")});
    EXPECT_EQ(read.exitCode, 2);
    EXPECT_TRUE(Text(read.err).contains(QLatin1String("--image OUT or --profile OUT.kp2")));
    EXPECT_EQ(RunCli({QStringLiteral("read"), QStringLiteral("--image"), QStringLiteral("x.img"), QStringLiteral("--password"), QStringLiteral("1234")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("/dev/null")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("write"), QStringLiteral("--image"), QStringLiteral("x.img"), QStringLiteral("profile.xml")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("write"), QStringLiteral("--image"), QStringLiteral("x.img"), QStringLiteral("--batch"), QStringLiteral("log.csv")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("identify"), QStringLiteral("extra")}).exitCode, 2);
    // An empty port name never falls back to some serial device.
    for (const char *command : {"identify", "reset"}) {
        const test::CliResult empty = RunCli({QLatin1String(command), QStringLiteral("--port"), QString()});
        EXPECT_EQ(empty.exitCode, 2) << command;
        EXPECT_TRUE(Text(empty.err).contains(QLatin1String("the option --port needs a value"))) << empty.err.toStdString();
    }
    EXPECT_EQ(RunCli({QStringLiteral("write"), QStringLiteral("--port"), QString(), QStringLiteral("--image"), test::SampleImagePath()}).exitCode, 2);
}

TEST(CliRadio, CablesPrintsACount)
{
    const test::CliResult r = RunCli({QStringLiteral("cables")});
    EXPECT_EQ(r.exitCode, 0);
    bool ok = false;
    Text(r.out).section(QLatin1Char('\n'), 0, 0).trimmed().toInt(&ok); // the count, then the ports
    EXPECT_TRUE(ok) << r.out.toStdString();
}

TEST(CliRadio, ACablePulledMidReadSaysTheConnectionWasLost)
{
    SimProcess sim(SampleArgs({QStringLiteral("--unplug-after"), QStringLiteral("10"), QStringLiteral("--baud"), QStringLiteral("0")}));
    const QString out = sim.TempPath(QStringLiteral("read.img"));
    const test::CliResult r = RunCli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), out});
    EXPECT_EQ(r.exitCode, 1);
    const QString err = Text(r.err);
    EXPECT_TRUE(err.contains(QLatin1String("Read Failed!\nError: Communication Error.\nThe connection to the radio was lost"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

// Replies for another address: a read answered once from another address
// is retried and gives the radio's own bytes; a write chunk answered for
// another address fails the write, which then says the radio may hold a
// partly written codeplug. A radio streaming noise ends the command within
// its retry budget; the trace names what went wrong.
TEST(CliRadio, WrongAddressesAndEndlessNoiseFailTheTransferNeverSucceed)
{
    {
        SimProcess sim(SampleArgs({QStringLiteral("--wrong-address"), QStringLiteral("3"), QStringLiteral("--baud"), QStringLiteral("0")}));
        const QString out = sim.TempPath(QStringLiteral("read.img"));
        const test::CliResult r = RunCli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), out});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QFile f(out);
        QFile sample(test::SampleImagePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly) && sample.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), sample.readAll()) << "bytes of another address read as the radio's";
    }
    {
        // The first write chunk is reply 48: after the identification (7),
        // the backup read (23), the link start, the status and the 13
        // reads of the settings block.
        SimProcess sim(SampleArgs({QStringLiteral("--wrong-address"), QStringLiteral("48"), QStringLiteral("--baud"), QStringLiteral("0")}));
        const QString trace = sim.TempPath(QStringLiteral("trace.txt"));
        const test::CliResult r = RunCli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), test::SampleImagePath(),
                                          QStringLiteral("--trace"), trace});
        EXPECT_EQ(r.exitCode, 1);
        const QString err = Text(r.err);
        EXPECT_TRUE(err.contains(QLatin1String("Write Failed!\nError: Communication Error.\nThe radio may now hold a partly written codeplug."))) << err.toStdString();
        EXPECT_TRUE(err.contains(QLatin1String("unexpected reply")));
        EXPECT_FALSE(err.contains(QLatin1String("Write Succeeded!")));
        sim.Stop();
        EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("WRITE ")), 1) << "no chunk after the wrong reply";
        EXPECT_EQ(sim.Log()[sim.Log().size() - 2], QStringLiteral("RESET")) << "the reset follows the failed write";
        QFile t(trace);
        ASSERT_TRUE(t.open(QIODevice::ReadOnly));
        EXPECT_TRUE(QString::fromUtf8(t.readAll()).contains(QLatin1String("FAIL write 010000 32: unexpected reply (command 84, address 010020)")));
    }
    {
        SimProcess sim(SampleArgs({QStringLiteral("--endless-noise")}));
        const QString trace = sim.TempPath(QStringLiteral("trace.txt"));
        const test::CliResult r = RunCli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), sim.TempPath(QStringLiteral("r.img")),
                                          QStringLiteral("--trace"), trace});
        EXPECT_EQ(r.exitCode, 1) << "the command must end";
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("Error: Communication Error.")));
        QFile t(trace);
        ASSERT_TRUE(t.open(QIODevice::ReadOnly));
        EXPECT_TRUE(QString::fromUtf8(t.readAll()).contains(QLatin1String("FAIL link start: unexpected reply")));
    }
}

// A write that fails after it began to change the radio says so (and how
// to put it right); one that failed before changed nothing and does not.
TEST(CliRadio, OnlyAnInterruptedWriteSpeaksOfAPartlyWrittenCodeplug)
{
    {
        SimProcess sim(SampleArgs({QStringLiteral("--bad-ack"), QStringLiteral("48"), QStringLiteral("--baud"), QStringLiteral("0")}));
        const test::CliResult r = RunCli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), test::SampleImagePath()});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(Text(r.err).contains(QLatin1String("Writing to it again, or writing back its backup image, puts it right."))) << r.err.toStdString();
    }
    {
        SimProcess sim(SampleArgs({QStringLiteral("--memory-status"), QStringLiteral("3"), QStringLiteral("--baud"), QStringLiteral("0")}));
        const test::CliResult r = RunCli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), test::SampleImagePath()});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_FALSE(Text(r.err).contains(QLatin1String("partly written"))) << r.err.toStdString();
    }
}

// write --image refuses what image2profile refuses (with its message),
// before anything goes to the radio.
TEST(CliRadio, WriteImageRefusesAnImageThatIsNoCodeplug)
{
    SimProcess sim(SampleArgs({QStringLiteral("--baud"), QStringLiteral("0")}));
    QByteArray random(static_cast<int>(VirtualCP::kSize), 0);
    std::mt19937 rng(7);
    for (char &b : random)
        b = static_cast<char>(rng());
    for (const QByteArray &bytes : {QByteArray(static_cast<int>(VirtualCP::kSize), 0), random}) {
        const QString path = sim.TempPath(QStringLiteral("bad.img"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        const test::CliResult refused = RunCli({QStringLiteral("image2profile"), path});
        const test::CliResult r = RunCli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), path});
        EXPECT_NE(refused.exitCode, 0);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(Text(r.err).trimmed(), Text(refused.err).trimmed());
        EXPECT_FALSE(Text(r.err).contains(QLatin1String("Write Succeeded!")));
    }
    sim.Stop();
    EXPECT_EQ(test::CountLines(sim.Log(), QStringLiteral("LINK")), 0) << "the link never started";
}
