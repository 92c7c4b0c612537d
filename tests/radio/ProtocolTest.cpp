// The protocol against the simulated radio in process: chunking, the echo,
// retries, the error codes, and bounded waits.

#include "radio/LinkTrace.h"
#include "radio/CRadioProtocol.h"
#include "radio/SimTransport.h"
#include "radio/RadioMemoryMap.h"

#include "RadioTestSupport.h"

#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::frames;

namespace {

struct ProtocolFixture : ::testing::Test {
    std::shared_ptr<SimLink> link = std::make_shared<SimLink>();
    std::unique_ptr<CRadioProtocol> protocol;

    void SetUp() override
    {
        link->radio().LoadImage(test::SampleImage());
        protocol = std::make_unique<CRadioProtocol>(link->Config());
        ASSERT_EQ(protocol->OpenDevice(0), 1);
    }
    // The protocol again, on a cable that records a trace.
    std::shared_ptr<LinkTrace> Traced()
    {
        auto trace = std::make_shared<LinkTrace>();
        CableConfig config = link->Config();
        config.trace = trace;
        protocol = std::make_unique<CRadioProtocol>(config);
        return trace;
    }
    QStringList log() const
    {
        QStringList l;
        for (const QString &s : link->radio().Log())
            l << s;
        return l;
    }
};

} // namespace

TEST_F(ProtocolFixture, ARead386IsTwelve32ByteChunksAndOne2ByteChunkInAddressOrder)
{
    uint8_t buf[386] = {};
    EXPECT_EQ(protocol->ReadMemory(0x10000, 386, buf), 386);
    const QStringList l = log();
    ASSERT_EQ(l.size(), 13);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(l[i], QStringLiteral("READ ") + QStringLiteral("%1").arg(0x10000 + 32 * i, 6, 16, QLatin1Char('0')).toUpper() + QStringLiteral(" 32"));
    EXPECT_EQ(l[12], QStringLiteral("READ 010180 2"));
    std::vector<uint8_t> expect(386);
    link->radio().ReadRange(0x10000, 386, expect.data());
    EXPECT_EQ(std::memcmp(buf, expect.data(), 386), 0);
}

TEST_F(ProtocolFixture, WriteMemoryChunksAndStores)
{
    std::vector<uint8_t> data(70);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(0xA0 + i);
    EXPECT_GE(protocol->WriteMemory(data.data(), 70, 0x10800), 0);
    EXPECT_EQ(log(), (QStringList{QStringLiteral("WRITE 010800 32"), QStringLiteral("WRITE 010820 32"), QStringLiteral("WRITE 010840 6")}));
    std::vector<uint8_t> back(70);
    link->radio().ReadRange(0x10800, 70, back.data());
    EXPECT_EQ(back, data);
}

TEST_F(ProtocolFixture, TheEchoIsReadOffAfterEverySend)
{
    char fw[3] = {};
    EXPECT_EQ(protocol->ReadFirmwareVersion(fw), 3);
    EXPECT_EQ(std::string(fw, 3), "R21");
    // Nothing is left over: the echo and the whole reply were consumed.
    EXPECT_TRUE(link->pending.empty());
    EXPECT_EQ(link->bytesWritten, 4);
    EXPECT_EQ(link->bytesRead, 4 + 1 + 6); // echo, P, F4 23 R 2 1 cs
}

TEST_F(ProtocolFixture, CommandsPurgeBeforeEachAttempt)
{
    const int before = link->purges;
    uint8_t status = 0xFF;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), 3);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(link->purges, before + 1);
}

TEST_F(ProtocolFixture, AWriteAnsweredWith85FailsWithMinus12)
{
    link->radio().faults().refuseWrites = true;
    const std::vector<uint8_t> before = link->radio().Memory();
    const uint8_t data[4] = {1, 2, 3, 4};
    EXPECT_EQ(protocol->WriteChunk(0x10000, 4, data), -1);
    EXPECT_EQ(protocol->ErrorCode(), kErrRefused);
    EXPECT_EQ(protocol->ErrorFlag(), 1);
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("WRITE")), 1) << "a chunked write is not retried";
    EXPECT_EQ(link->radio().Memory(), before);
}

TEST_F(ProtocolFixture, OneWrongAcknowledgementIsRetriedAndTheReadSucceeds)
{
    link->radio().faults().badAckAtReply = 2;
    uint8_t buf[64] = {};
    EXPECT_EQ(protocol->ReadMemory(0x10E18, 64, buf), 64);
    EXPECT_EQ(protocol->ErrorCode(), kErrNoAck) << "the error stays recorded";
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("READ 010E38 32")), 2) << "the second chunk was asked twice";
    std::vector<uint8_t> expect(64);
    link->radio().ReadRange(0x10E18, 64, expect.data());
    EXPECT_EQ(std::memcmp(buf, expect.data(), 64), 0);
}

TEST_F(ProtocolFixture, OneWrongChecksumIsRetriedAndTheCommandSucceeds)
{
    link->radio().faults().badChecksumAtReply = 1;
    char fw[3] = {};
    EXPECT_EQ(protocol->ReadFirmwareVersion(fw), 3);
    EXPECT_EQ(protocol->ErrorCode(), kErrChecksum);
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("FIRMWARE")), 2);
}

TEST_F(ProtocolFixture, TwoWrongAcknowledgementsInARowFailTheCommand)
{
    link->radio().faults().badAckAtReply = 1;
    uint8_t status = 0;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), 3) << "one fault: retried";
    link->radio().faults().silentAfterReplies = link->radio().RepliesSent();
    EXPECT_EQ(protocol->ReadMemoryStatus(status), -1);
}

TEST_F(ProtocolFixture, ASilentRadioFailsAfterTheBoundedRetries)
{
    link->radio().faults().silent = true;
    const long t0 = link->elapsedMs;
    uint8_t status = 0;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), -1);
    // 2 command attempts x 20 reply read time-outs x 120 ms, and the one
    // quiet read time-out of the drain before the retry.
    EXPECT_EQ(link->elapsedMs - t0, 2 * 20 * 120 + 120);
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("STATUS")), 2);

    const long t1 = link->elapsedMs;
    uint8_t buf[32];
    EXPECT_EQ(protocol->ReadChunk(0x10000, 32, buf), -1);
    EXPECT_EQ(link->elapsedMs - t1, 2 * 20 * 120 + 120);
}

TEST_F(ProtocolFixture, ResetWaitsOnlyForTheAcknowledgement)
{
    EXPECT_EQ(protocol->ResetRadio(), 1);
    EXPECT_EQ(link->radio().ResetCount(), 1);
    EXPECT_TRUE(link->pending.empty());
}

TEST_F(ProtocolFixture, NoiseBeforeReplyFramesIsSkipped)
{
    link->radio().faults().noise = true;
    uint8_t buf[398];
    EXPECT_EQ(protocol->ReadMemory(0x10000, 398, buf), 398);
    EXPECT_EQ(protocol->ErrorCode(), 0);
}

TEST_F(ProtocolFixture, AFailedCableEndsEverythingAtOnce)
{
    link->unplugAfterBytes = link->bytesRead + link->bytesWritten + 5;
    uint8_t buf[32];
    EXPECT_EQ(protocol->ReadChunk(0x10000, 32, buf), -1);
    EXPECT_EQ(protocol->Cable().Status(), FT_IO_ERROR);
    const long moved = link->bytesRead + link->bytesWritten;
    uint8_t status = 0;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), -1);
    EXPECT_EQ(protocol->ResetRadio(), -1);
    EXPECT_EQ(link->bytesRead + link->bytesWritten, moved) << "nothing more was sent or read";
}

TEST_F(ProtocolFixture, FrequencySlotAndCloseCommands)
{
    const uint8_t rec[6] = {0x39, 0x84, 0x20, 0x0C, 0x4D, 0x6A};
    EXPECT_EQ(protocol->WriteFrequencySlot(5, rec), 1);
    EXPECT_EQ(protocol->CloseFrequencyTable(16, 1), 1);
    EXPECT_EQ(protocol->SendControl(0x1F, 3, 0), 1);
    EXPECT_EQ(protocol->StartLink(), 1);
    EXPECT_EQ(log(), (QStringList{QStringLiteral("FREQ 5 39 84 20 0C 4D 6A"), QStringLiteral("CLOSEFREQ 16 1"),
                                  QStringLiteral("CONTROL 1F 03 00"), QStringLiteral("LINK")}));
}

// A memory reply counts only with the expected command and exactly the
// requested address and length: a read answered from another address (or
// with fewer bytes) is a failed attempt and retried; a write answered for
// another address fails the write at once, and no later chunk goes
// anywhere else.
TEST_F(ProtocolFixture, RepliesForAnotherAddressOrLengthAreFailedAttempts)
{
    std::vector<uint8_t> expect(64);
    link->radio().ReadRange(0x10E18, 64, expect.data());

    link->radio().faults().wrongAddressAtReply = 2;
    uint8_t buf[64] = {};
    EXPECT_EQ(protocol->ReadMemory(0x10E18, 64, buf), 64);
    EXPECT_EQ(std::memcmp(buf, expect.data(), 64), 0) << "bytes of another address taken as data";
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("READ 010E38 32")), 2);

    link->radio().faults().shortReplyAtReply = link->radio().RepliesSent() + 1;
    std::memset(buf, 0, sizeof buf);
    EXPECT_EQ(protocol->ReadMemory(0x10E18, 32, buf), 32);
    EXPECT_EQ(std::memcmp(buf, expect.data(), 32), 0);
    EXPECT_EQ(protocol->LastFailure(), LinkFailure::None);

    link->radio().ClearLog();
    link->radio().faults().wrongAddressAtReply = link->radio().RepliesSent() + 1;
    std::vector<uint8_t> data(70, 0xAB);
    EXPECT_EQ(protocol->WriteMemory(data.data(), 70, 0x10800), -1);
    EXPECT_EQ(protocol->LastFailure(), LinkFailure::UnexpectedReply);
    EXPECT_EQ(log().filter(QStringLiteral("WRITE")), (QStringList{QStringLiteral("WRITE 010800 32")}));
}

// A radio that acknowledges and then streams noise for ever: every reply
// wait ends within its bound, so a command ends within its retry budget.
TEST_F(ProtocolFixture, EndlessNoiseEndsEveryWaitWithinItsBound)
{
    link->radio().faults().endlessNoise = true;
    uint8_t buf[32];
    const long before = link->bytesRead;
    EXPECT_EQ(protocol->ReadChunk(0x10000, 32, buf), -1);
    // The first attempt sees P and then noise; the second sees noise where
    // P belongs.
    EXPECT_TRUE(protocol->LastFailure() == LinkFailure::UnexpectedReply || protocol->LastFailure() == LinkFailure::NoAcknowledgement);
    // Two attempts, each: the echo and at most the allowed reply bytes; the
    // drain between them reads at most as much again and one piece more.
    const long bound = CRadioProtocol::kLargestReply + CRadioProtocol::kMaxSkippedBytes;
    EXPECT_LE(link->bytesRead - before, 2 * (9 + bound) + bound + 64);
    uint8_t status = 0;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), -1);
    EXPECT_LT(protocol->ReplyWaitLimitMs(), 3000);
}

// Short replies to the firmware and status queries are retried as a
// short memory reply is; the trace names each failure's kind.
TEST_F(ProtocolFixture, ShortQueryRepliesAreRetriedAndTheTraceNamesEachFailure)
{
    const std::shared_ptr<LinkTrace> trace = Traced();
    ASSERT_EQ(protocol->OpenDevice(0), 1);

    link->radio().faults().shortReplyAtReply = 1;
    char fw[3] = {};
    EXPECT_EQ(protocol->ReadFirmwareVersion(fw), 3);
    EXPECT_EQ(std::string(fw, 3), "R21");
    link->radio().faults().shortReplyAtReply = 3;
    uint8_t status = 0xFF;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), 3);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("FIRMWARE")), 2);
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("STATUS")), 2);

    link->radio().faults().badChecksumAtReply = link->radio().RepliesSent() + 1;
    EXPECT_EQ(protocol->ReadFirmwareVersion(fw), 3);
    link->radio().faults().silent = true;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), -1);

    const QStringList lines = trace->Lines();
    EXPECT_EQ(lines.filter(QStringLiteral("FAIL firmware query: short answer")).size(), 1) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines.filter(QStringLiteral("FAIL memory status query: short answer")).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("FAIL firmware query: bad checksum")).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("FAIL memory status query: no answer")).size(), 2);
    EXPECT_FALSE(lines.filter(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} TX F2 23 03 E7$"))).isEmpty())
        << "every byte sent, time-stamped with milliseconds";
    EXPECT_FALSE(lines.filter(QStringLiteral(" RX ")).isEmpty());
}

// A reply counts only as the answer to its own request: a memory reply
// that comes late, after its read gave up, is never taken for the memory
// status (its data byte 2 would read as a corrupted memory); the status
// query retries on a drained line and gets the radio's own answer.
TEST_F(ProtocolFixture, ALateReplyIsNeverTakenForTheNextRequestsAnswer)
{
    protocol->m_nRetries = 1;
    link->radio().faults().lateReplyAtReply = 1;
    uint8_t header[32];
    EXPECT_EQ(protocol->ReadChunk(0x10E18, 32, header), -1) << "its one attempt saw no answer";
    protocol->m_nRetries = 2;
    uint8_t status = 0xFF;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), 3);
    EXPECT_EQ(status, 0) << "the late header reply's data byte 2 taken for the status";
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("STATUS")), 2);
    EXPECT_EQ(protocol->LastFailure(), LinkFailure::None);
    EXPECT_TRUE(link->pending.empty()) << "the line was drained and the answer read whole";

    // The same for the firmware query and the link start: another
    // command's reply is a failed attempt.
    link->radio().faults().lateReplyAtReply = link->radio().RepliesSent() + 1;
    protocol->m_nRetries = 1;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), -1);
    protocol->m_nRetries = 2;
    char fw[3] = {};
    EXPECT_EQ(protocol->ReadFirmwareVersion(fw), 3);
    EXPECT_EQ(std::string(fw, 3), "R21");
}

// The echo must be the request byte for byte: one that differs is a
// failed attempt, retried after the line is drained, for a command, a
// memory read and a memory write alike (the write's retry sends the same
// bytes to the same address). The trace names it.
TEST_F(ProtocolFixture, AnEchoOtherThanSentIsAFailedAttemptAndRetried)
{
    const std::shared_ptr<LinkTrace> trace = Traced();
    ASSERT_EQ(protocol->OpenDevice(0), 1);

    link->radio().faults().wrongEchoAtRequest = 1;
    uint8_t status = 0xFF;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), 3);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("STATUS")), 2);

    link->radio().faults().wrongEchoAtRequest = link->radio().RequestsSeen() + 2;
    std::vector<uint8_t> expect(64);
    link->radio().ReadRange(0x10E18, 64, expect.data());
    uint8_t buf[64] = {};
    EXPECT_EQ(protocol->ReadMemory(0x10E18, 64, buf), 64);
    EXPECT_EQ(std::memcmp(buf, expect.data(), 64), 0);
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("READ 010E38 32")), 2);

    link->radio().ClearLog();
    link->radio().faults().wrongEchoAtRequest = link->radio().RequestsSeen() + 1;
    std::vector<uint8_t> data(40, 0x5C);
    EXPECT_EQ(protocol->WriteMemory(data.data(), 40, 0x10800), 0);
    EXPECT_EQ(protocol->ErrorCode(), 0) << "no reply of the first attempt taken for the second's";
    EXPECT_EQ(log().filter(QStringLiteral("WRITE")), (QStringList{QStringLiteral("WRITE 010800 32"), QStringLiteral("WRITE 010800 32"), QStringLiteral("WRITE 010820 8")}));
    std::vector<uint8_t> back(40);
    link->radio().ReadRange(0x10800, 40, back.data());
    EXPECT_EQ(back, data);
    EXPECT_TRUE(link->pending.empty());

    // Twice in a row: the command fails, as a wrong echo and no other kind.
    link->radio().faults().wrongEchoAtRequest = link->radio().RequestsSeen() + 1;
    protocol->m_nRetries = 1;
    EXPECT_EQ(protocol->ReadMemoryStatus(status), -1);
    EXPECT_EQ(protocol->LastFailure(), LinkFailure::WrongEcho);
    EXPECT_EQ(trace->Lines().filter(QStringLiteral("FAIL memory status query: wrong echo")).size(), 2) << trace->Lines().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(trace->Lines().filter(QStringLiteral("FAIL write 010800 32: wrong echo")).size(), 1);
}

// A link start answered with its reply cut short (no data) is a short
// answer and retried; one that stays short says so, never that the radio
// did not answer.
TEST_F(ProtocolFixture, ALinkStartReplyCutShortIsRetried)
{
    link->radio().faults().shortReplyAtReply = 1;
    EXPECT_EQ(protocol->StartLink(), 1);
    EXPECT_EQ(test::CountLines(log(), QStringLiteral("LINK")), 2);
    EXPECT_EQ(protocol->LastFailure(), LinkFailure::None);

    protocol->m_nRetries = 1;
    link->radio().faults().shortReplyAtReply = link->radio().RepliesSent() + 1;
    EXPECT_EQ(protocol->StartLink(), -1);
    EXPECT_EQ(protocol->LastFailure(), LinkFailure::ShortAnswer);
}
