// tavocps-cli's radio commands against tavo-radio-sim, as a dealer runs
// them: output, messages and exit status.

#include "RadioTestSupport.h"

#include "support/CliRunner.h"

#include <gtest/gtest.h>

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
    const test::CliResult r = RunCli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), out});
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
    const test::CliResult r = RunCli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), test::SampleImagePath()});
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
    EXPECT_TRUE(out.contains(QLatin1String("firmware: R21")));
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
    sim.Stop();
    EXPECT_FALSE(sim.Log().contains(QStringLiteral("RESET"))) << "nothing after the warning";
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
    EXPECT_EQ(RunCli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("/dev/null")}).exitCode, 2);
    const test::CliResult profile = RunCli({QStringLiteral("read"), QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("--profile"), QStringLiteral("x.kp2")});
    EXPECT_EQ(profile.exitCode, 2);
    EXPECT_TRUE(Text(profile.err).contains(QLatin1String("--image OUT")));
    EXPECT_EQ(RunCli({QStringLiteral("write"), QStringLiteral("profile.kp2"), QStringLiteral("--port"), QStringLiteral("/dev/null")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("write"), QStringLiteral("--image"), QStringLiteral("x.img"), QStringLiteral("--password"), QStringLiteral("1234")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("identify"), QStringLiteral("extra")}).exitCode, 2);
}

TEST(CliRadio, CablesPrintsACount)
{
    const test::CliResult r = RunCli({QStringLiteral("cables")});
    EXPECT_EQ(r.exitCode, 0);
    bool ok = false;
    Text(r.out).trimmed().toInt(&ok);
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
