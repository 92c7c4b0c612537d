// End to end over a real pseudo-terminal: the radio operations through
// CUsbCable's serial-device transport against tavo-radio-sim, with its
// faults, and the simulator's memory compared before and after a write.

#include "radio/CRadioOperation.h"
#include "radio/SimulatedRadio.h"

#include "RadioTestSupport.h"
#include "support/CliRunner.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <random>

using namespace tavo;
using tavo::test::CountLines;
using tavo::test::SimProcess;

namespace {

using N = RadioNotification;

CableConfig Port(const SimProcess &sim)
{
    CableConfig c;
    c.portPath = sim.Port();
    return c;
}

QStringList SampleArgs(QStringList more = {})
{
    return QStringList{QStringLiteral("--image"), test::SampleImagePath()} + more;
}

} // namespace

TEST(PtyEndToEnd, ReadAtTheLineRateGivesBackTheSample)
{
    SimProcess sim(SampleArgs());
    ASSERT_FALSE(sim.Port().isEmpty()) << "tavo-radio-sim did not start";
    RadioNotificationRecorder rec;
    CRadioOperation op(&rec, Port(sim));
    VirtualCP cp;
    ASSERT_TRUE(op.ReadRadio(cp)) << op.FailureDetail().toStdString();
    EXPECT_EQ(cp, test::SampleImage());
    EXPECT_EQ(rec.Finals(), (std::vector<N>{{RadioDone, 0}}));
    CRadioIdent ident;
    ASSERT_TRUE(op.Identify(ident));
    EXPECT_EQ(ident.m_nFrequencySlots, 16);
}

TEST(PtyEndToEnd, WriteThenReadBackAndOnlyAllowedBytesChanged)
{
    SimProcess sim(SampleArgs({QStringLiteral("--baud"), QStringLiteral("0")}));
    ASSERT_FALSE(sim.Port().isEmpty());
    const VirtualCP sample = test::SampleImage();
    VirtualCP cp = sample;
    std::memcpy(cp.PowerupTextBytes(), "DEPOT 7\0", 8);
    cp.SetVoxLevel(2);
    ChannelSlot c = cp.Channel(0);
    c.SetRxCode(50);
    c.SetTxCode(51);
    cp.SetChannel(0, c);
    FrequencySlot f = cp.Frequency(15);
    HzToSynth(446193750, f, cp.SynthBase());
    cp.SetFrequency(15, f);

    RadioNotificationRecorder rec;
    CRadioOperation op(&rec, Port(sim));
    ASSERT_TRUE(op.WriteRadio(cp)) << op.FailureDetail().toStdString();
    VirtualCP back;
    ASSERT_TRUE(op.ReadRadio(back));
    EXPECT_EQ(std::memcmp(back.PowerupTextBytes(), "DEPOT 7", 7), 0);
    EXPECT_EQ(back.VoxLevel(), 2u);
    EXPECT_EQ(back.Channel(0).TxCode(), 51u);
    EXPECT_EQ(SynthToHz(back.Frequency(15), back.SynthBase()), 446193750u);

    sim.Stop();
    const std::vector<uint8_t> before = PackImageToRadioMemory(sample);
    const std::vector<uint8_t> after = test::ToVector(sim.Dump());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(test::ForbiddenChanges(before, after, test::AllowedWriteMask(cp)), "");
    EXPECT_NE(before, after);
}

TEST(PtyEndToEnd, AWriteSendsBackWhatTheRadioHoldsBeyondTheImage)
{
    // A radio whose memory is full of data the image knows nothing of.
    QTemporaryDir dir;
    std::mt19937 rng(5);
    QByteArray dump(static_cast<int>(SimulatedRadio::kDumpSize), 0);
    for (char &b : dump)
        b = static_cast<char>(rng());
    const QString path = dir.filePath(QStringLiteral("radio.mem"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(dump);
    }
    SimProcess sim({QStringLiteral("--memory"), path, QStringLiteral("--firmware"), QStringLiteral("R21"), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    const VirtualCP cp = test::SampleImage(); // 16 channels, 16 frequencies, tones
    CRadioOperation op(nullptr, Port(sim));
    ASSERT_TRUE(op.WriteRadio(cp));
    sim.Stop();
    const std::vector<uint8_t> before = test::ToVector(dump);
    const std::vector<uint8_t> after = test::ToVector(sim.Dump());
    EXPECT_EQ(test::ForbiddenChanges(before, after, test::AllowedWriteMask(cp)), "");
    for (size_t b = 386; b < 398; ++b)
        EXPECT_EQ(after[b], before[b]) << "settings block byte " << b << " went out as something else";
}

TEST(PtyEndToEnd, MemoryStatus8And3AreWarningsWithNoFurtherCommand)
{
    for (int status : {8, 3}) {
        SimProcess sim(SampleArgs({QStringLiteral("--memory-status"), QString::number(status)}));
        ASSERT_FALSE(sim.Port().isEmpty());
        RadioNotificationRecorder rec;
        CRadioOperation op(&rec, Port(sim));
        VirtualCP cp;
        EXPECT_FALSE(op.ReadRadio(cp));
        EXPECT_EQ(rec.All(), (std::vector<N>{{RadioMemoryWarning, status}}));
        sim.Stop();
        const QStringList log = sim.Log();
        EXPECT_EQ(CountLines(log, QStringLiteral("STATUS")), 1);
        EXPECT_EQ(CountLines(log, QStringLiteral("READ")), 0);
    }
}

TEST(PtyEndToEnd, OneWrongAckAndOneWrongChecksumAreRetried)
{
    SimProcess sim(SampleArgs({QStringLiteral("--bad-ack"), QStringLiteral("3"), QStringLiteral("--bad-checksum"), QStringLiteral("8"),
                               QStringLiteral("--noise"), QStringLiteral("--baud"), QStringLiteral("0")}));
    ASSERT_FALSE(sim.Port().isEmpty());
    RadioNotificationRecorder rec;
    CRadioOperation op(&rec, Port(sim));
    VirtualCP cp;
    ASSERT_TRUE(op.ReadRadio(cp)) << op.FailureDetail().toStdString();
    EXPECT_EQ(cp, test::SampleImage());
    EXPECT_EQ(rec.Finals(), (std::vector<N>{{RadioDone, 0}}));
    sim.Stop();
    const QStringList log = sim.Log();
    EXPECT_EQ(CountLines(log, QStringLiteral("FAULT wrong acknowledgement")), 1);
    EXPECT_EQ(CountLines(log, QStringLiteral("FAULT wrong checksum")), 1);
}

TEST(PtyEndToEnd, ARefusedWriteIsMinus12)
{
    SimProcess sim(SampleArgs({QStringLiteral("--refuse-write"), QStringLiteral("--baud"), QStringLiteral("0")}));
    ASSERT_FALSE(sim.Port().isEmpty());
    RadioNotificationRecorder rec;
    CRadioOperation op(&rec, Port(sim));
    EXPECT_FALSE(op.WriteRadio(test::SampleImage()));
    EXPECT_EQ(rec.Finals(), (std::vector<N>{{RadioCommFailure, -1}}));
    EXPECT_EQ(op.LastProtocolError(), -12);
}

TEST(PtyEndToEnd, ACablePulledMidTransferEndsWithOneFailure)
{
    SimProcess sim(SampleArgs({QStringLiteral("--unplug-after"), QStringLiteral("6"), QStringLiteral("--baud"), QStringLiteral("0")}));
    ASSERT_FALSE(sim.Port().isEmpty());
    RadioNotificationRecorder rec;
    CRadioOperation op(&rec, Port(sim));
    VirtualCP cp;
    EXPECT_FALSE(op.ReadRadio(cp));
    EXPECT_EQ(op.CableStatus(), FT_IO_ERROR);
    EXPECT_EQ(rec.Finals(), (std::vector<N>{{RadioCommFailure, -1}}));
    EXPECT_TRUE(sim.WaitForExit(5000));
    EXPECT_TRUE(sim.Log().contains(QStringLiteral("UNPLUGGED after 6 replies")));
}

TEST(PtyEndToEnd, ARadioSlowToAnswerIsWaitedForWithinTheReplyRetries)
{
    // 500 ms is beyond two read time-outs but well within twenty.
    SimProcess sim(SampleArgs({QStringLiteral("--reply-delay"), QStringLiteral("500")}));
    ASSERT_FALSE(sim.Port().isEmpty());
    RadioNotificationRecorder rec;
    CRadioOperation op(&rec, Port(sim));
    EXPECT_TRUE(op.StartLink()) << op.FailureDetail().toStdString();
    EXPECT_EQ(rec.Finals(), (std::vector<N>{{RadioDone, 0}}));
}

// Fault arguments out of range are refused (the radio's status is five
// bits, reply numbers count from 1), and --link never deletes a file: only
// an absent path or an old symbolic link becomes the link.
TEST(PtyEndToEnd, TheSimulatorRefusesBadArgumentsAndNeverDeletesAFile)
{
    for (const QStringList &args : {QStringList{QStringLiteral("--memory-status"), QStringLiteral("32")}, QStringList{QStringLiteral("--bad-ack"), QStringLiteral("0")},
                                    QStringList{QStringLiteral("--bad-checksum"), QStringLiteral("0")}, QStringList{QStringLiteral("--wrong-address"), QStringLiteral("0")},
                                    QStringList{QStringLiteral("--stuck-byte"), QStringLiteral("30000")}, QStringList{QStringLiteral("--baud"), QStringLiteral("-5")}}) {
        const test::CliResult r = test::RunTool(QStringLiteral("tavo-radio-sim"), args);
        EXPECT_EQ(r.exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    }
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("precious.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    // A file in the way is no usage error: the radio cannot run (status 1).
    const test::CliResult r = test::RunTool(QStringLiteral("tavo-radio-sim"), {QStringLiteral("--link"), file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(QLatin1String("not a symbolic link"))) << r.err.toStdString();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep me"));

    const QString link = dir.filePath(QStringLiteral("radio"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/nonexistent"), link));
    SimProcess sim({QStringLiteral("--link"), link});
    ASSERT_FALSE(sim.Port().isEmpty());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.Port()) << "an old link is replaced";
    sim.Stop();
    EXPECT_FALSE(QFileInfo::exists(link) || QFileInfo(link).isSymLink()) << "the link goes with the radio";
}

// The new faults over the real terminal: a read answered once from another
// address still reads the radio's own bytes; endless noise ends the
// operation with one failure.
TEST(PtyEndToEnd, WrongAddressAndEndlessNoise)
{
    {
        SimProcess sim(SampleArgs({QStringLiteral("--wrong-address"), QStringLiteral("5"), QStringLiteral("--baud"), QStringLiteral("0")}));
        ASSERT_FALSE(sim.Port().isEmpty());
        CRadioOperation op(nullptr, Port(sim));
        VirtualCP cp;
        ASSERT_TRUE(op.ReadRadio(cp));
        EXPECT_EQ(cp, test::SampleImage());
    }
    {
        SimProcess sim(SampleArgs({QStringLiteral("--endless-noise")}));
        ASSERT_FALSE(sim.Port().isEmpty());
        RadioNotificationRecorder rec;
        CRadioOperation op(&rec, Port(sim));
        CRadioIdent ident;
        EXPECT_FALSE(op.Identify(ident));
        EXPECT_EQ(rec.Finals(), (std::vector<N>{{RadioCommFailure, -1}}));
        EXPECT_EQ(op.FirstFailure(), LinkFailure::UnexpectedReply);
    }
}

// Over the real terminal at the line rate: a memory reply that comes late
// is never the memory status (the status query retries on a drained
// line); a read whose header reply comes late, and a write whose request
// is echoed otherwise than sent, still move the radio's own bytes, the
// trace naming the wrong echo.
TEST(PtyEndToEnd, LateRepliesAndWrongEchoesAreRetriedNeverTaken)
{
    {
        SimProcess sim(SampleArgs({QStringLiteral("--late-reply"), QStringLiteral("1")}));
        ASSERT_FALSE(sim.Port().isEmpty());
        CRadioProtocol protocol(Port(sim));
        ASSERT_EQ(protocol.OpenDevice(0), 1);
        protocol.m_nRetries = 1;
        uint8_t header[32];
        EXPECT_EQ(protocol.ReadChunk(0x10E18, 32, header), -1);
        protocol.m_nRetries = 2;
        uint8_t status = 0xFF;
        EXPECT_EQ(protocol.ReadMemoryStatus(status), 3);
        EXPECT_EQ(status, 0) << "byte 2 of the late serial-number reply taken for the memory status";
        protocol.CloseDevice();
    }
    {
        SimProcess sim(SampleArgs({QStringLiteral("--late-reply"), QStringLiteral("3")}));
        ASSERT_FALSE(sim.Port().isEmpty());
        const QString out = sim.TempPath(QStringLiteral("read.img"));
        const test::CliResult r = test::RunCli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), out});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(test::ToVector(f.readAll()), test::ToVector(QByteArray(reinterpret_cast<const char *>(test::SampleImage().bytes.data()), VirtualCP::kSize)));
    }
    {
        SimProcess sim(SampleArgs({QStringLiteral("--wrong-echo"), QStringLiteral("20")}));
        ASSERT_FALSE(sim.Port().isEmpty());
        const QString trace = sim.TempPath(QStringLiteral("trace.txt"));
        const test::CliResult r = test::RunCli({QStringLiteral("write"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), test::SampleImagePath(),
                                                QStringLiteral("--trace"), trace});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(QLatin1String("Write Succeeded!")));
        QFile t(trace);
        ASSERT_TRUE(t.open(QIODevice::ReadOnly));
        EXPECT_TRUE(QString::fromUtf8(t.readAll()).contains(QLatin1String(": wrong echo (byte ")));
        sim.Stop();
        EXPECT_EQ(test::ToVector(sim.Dump()), PackImageToRadioMemory(test::SampleImage()));
    }
}
