// Radio operations against the simulated radio in process: identify,
// read, write (and what a write may change), reset, factory reset, the
// link start, the notifications, the checks and the faults.

#include "radio/CRadioOperation.h"
#include "workflow/CRadioTransfer.h"
#include "radio/SimTransport.h"
#include "radio/RadioMemoryMap.h"

#include "RadioTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

using namespace tavo;
using namespace tavo::radiomap;
using tavo::test::CountLines;

namespace {

using N = RadioNotification;

struct OperationFixture : ::testing::Test {
    std::shared_ptr<SimLink> link = std::make_shared<SimLink>();
    RadioNotificationRecorder recorder;
    std::unique_ptr<CRadioOperation> op;
    VirtualCP sample = test::SampleImage();

    void SetUp() override
    {
        link->radio().LoadImage(sample);
        op = std::make_unique<CRadioOperation>(&recorder, link->Config());
    }
    QStringList log() const
    {
        QStringList l;
        for (const QString &s : link->radio().Log())
            l << s;
        return l;
    }
    std::vector<N> progress() const
    {
        std::vector<N> p;
        for (const N &n : recorder.All())
            if (n.type == RadioProgress)
                p.push_back(n);
        return p;
    }
};

std::vector<N> Progress(std::initializer_list<int> values)
{
    std::vector<N> v;
    for (int x : values)
        v.push_back({RadioProgress, x});
    return v;
}

// A radio of model digit 4, letters ZUR, firmware R16: the firmware step
// and reference table B apply.
VirtualCP FirmwareStepImage(const VirtualCP &base)
{
    VirtualCP cp = base;
    const uint8_t model[8] = {'Z', 'U', 'R', 4, 0, 8, 2, 2};
    std::memcpy(cp.At(6), model, 8);
    cp.SetFirmwarePhase('R');
    cp.SetFirmwareVersion('1');
    cp.SetFirmwareRevision('6');
    return cp;
}

} // namespace

TEST_F(OperationFixture, IdentifyFillsTheRecordWithOneFinalNotification)
{
    CRadioIdent ident;
    ASSERT_TRUE(op->Identify(ident));
    EXPECT_EQ(std::memcmp(ident.m_szModel, sample.At(6), 8), 0);
    EXPECT_EQ(ident.m_cFirmwarePhase, 'R');
    EXPECT_EQ(ident.m_cFirmwareVersion, '2');
    EXPECT_EQ(ident.m_cFirmwareRevision, '1');
    EXPECT_EQ(ident.m_cCodeplugPhase, 'D');
    EXPECT_EQ(ident.m_nCodeplugVersion, 18);
    EXPECT_EQ(ident.m_nFrequencySlots, 16);
    EXPECT_EQ(ident.m_nCloneCompatibility, sample.CloneCompatibility());
    EXPECT_FALSE(ident.HasPassword());
    // R 2 1 identifies by the older layout: limits byte 5, 7 bits.
    EXPECT_EQ(ident.m_nMaxCodes, 127u);
    EXPECT_EQ(progress(), Progress({20, 40, 60, 80, 100}));
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioDone, 0}}));
    EXPECT_EQ(link->opens, 1);
    EXPECT_EQ(link->closes, 1);
}

TEST_F(OperationFixture, IdentifyOfANewerLayoutRadioReadsByte18)
{
    link->radio().SetFirmware('R', '1', '7');
    link->radio().Poke(kLimitsByte18Address, 200);
    CRadioIdent ident;
    ASSERT_TRUE(op->Identify(ident));
    EXPECT_EQ(ident.m_nMaxCodes, 200u);
    EXPECT_TRUE(log().contains(QStringLiteral("READ 010A9E 1")));
}

TEST_F(OperationFixture, ReadGivesBackTheImageTheRadioWasMadeFrom)
{
    VirtualCP cp;
    ASSERT_TRUE(op->ReadRadio(cp));
    EXPECT_EQ(cp, sample);
    EXPECT_EQ(progress(), Progress({10, 20, 40, 50, 60, 80}));
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioDone, 0}}));
}

TEST_F(OperationFixture, ReadOfAnR20RadioUsesLimitsByte18)
{
    link->radio().SetFirmware('R', '2', '0');
    link->radio().Poke(kLimitsByte18Address, 150);
    link->radio().Poke(kLimitsByte5Address, 100);
    VirtualCP cp;
    ASSERT_TRUE(op->ReadRadio(cp));
    EXPECT_EQ(cp.MaxCodes(), 150u);
    CRadioIdent ident;
    ASSERT_TRUE(op->Identify(ident));
    EXPECT_EQ(ident.m_nMaxCodes, 100u);
}

TEST_F(OperationFixture, ReadWithoutTonesLeavesTheToneWordsFFFF)
{
    link->radio().Poke(kLimitsByte18Address, 122);
    VirtualCP cp;
    ASSERT_TRUE(op->ReadRadio(cp));
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(cp.CustomTone(i), 0xFFFFu);
}

TEST_F(OperationFixture, MemoryStatus8EndsTheReadWithAWarningAndNoFurtherCommand)
{
    link->radio().faults().memoryStatus = 8;
    VirtualCP cp;
    EXPECT_FALSE(op->ReadRadio(cp));
    EXPECT_EQ(recorder.All(), (std::vector<N>{{RadioMemoryWarning, 8}}));
    EXPECT_EQ(log(), (QStringList{QStringLiteral("STATUS 8")}));
    EXPECT_EQ(link->closes, 1);
    EXPECT_EQ(RadioFailureText(RadioMemoryWarning, 8),
              QStringLiteral("Warning: Radio's memory is corrupted. Please perform factory reset to correct the error."));
}

TEST_F(OperationFixture, MemoryStatus3EndsTheWriteWithTheReturnToManufacturerWarning)
{
    link->radio().faults().memoryStatus = 3;
    EXPECT_FALSE(op->WriteRadio(sample));
    EXPECT_EQ(recorder.All(), (std::vector<N>{{RadioMemoryWarning, 3}}));
    EXPECT_EQ(log(), (QStringList{QStringLiteral("STATUS 3")}));
    EXPECT_EQ(RadioFailureText(RadioMemoryWarning, 3),
              QStringLiteral("Warning: Radio's memory is corrupted. Please return to manufacture for correction."));
    CRadioIdent ident;
    recorder.Clear();
    EXPECT_FALSE(op->Identify(ident));
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioMemoryWarning, 3}}));
}

TEST(RadioMessages, FailureTexts)
{
    EXPECT_EQ(RadioFailureText(RadioCommFailure, -1), QStringLiteral("Error: Communication Error."));
    EXPECT_EQ(RadioFailureText(RadioCommFailure, -12), QStringLiteral("Error: Operation Failed (-12)."));
    EXPECT_EQ(MemoryWarningText(31), QStringLiteral("Radio's memory is corrupted. Please return to manufacture for correction."));
    EXPECT_EQ(MemoryWarningText(0), QStringLiteral("Unknown warning!"));
    EXPECT_EQ(MemoryWarningText(32), QStringLiteral("Unknown warning!"));
}

TEST_F(OperationFixture, WriteSendsTheImageAndReadsBackTheSame)
{
    VirtualCP cp = sample;
    std::memcpy(cp.PowerupTextBytes(), "HELLO\0\0\0", 8);
    ChannelSlot c = cp.Channel(3);
    std::memcpy(c.NameBytes(), "DEPOT\0\0\0", 8);
    c.SetTxCode(100);
    cp.SetChannel(3, c);
    FrequencySlot f = cp.Frequency(2);
    HzToSynth(446093750, f, cp.SynthBase());
    cp.SetFrequency(2, f);
    cp.SetCustomTone(0, 1000);
    cp.SetButtonEntry(6, 3);
    ASSERT_TRUE(op->WriteRadio(cp));
    EXPECT_EQ(progress(), Progress({20, 40, 60, 80}));
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioDone, 0}}));

    VirtualCP back;
    ASSERT_TRUE(op->ReadRadio(back));
    // The channel checksums are the radio's, recomputed by the write.
    for (size_t j = 0; j < cp.UsedChannelSlots(); ++j) {
        ChannelSlot s = cp.Channel(j);
        uint8_t rec[14];
        PackChannelRecord(s, rec);
        s.SetChecksum(rec[13]);
        cp.SetChannel(j, s);
    }
    EXPECT_EQ(back, cp);
}

TEST_F(OperationFixture, WriteOrderOfCommands)
{
    ASSERT_TRUE(op->WriteRadio(sample));
    const QStringList l = log();
    ASSERT_GE(l.size(), 3);
    EXPECT_EQ(l.first(), QStringLiteral("STATUS 0"));
    // The radio's own model and firmware decide what depends on the radio.
    EXPECT_EQ(l[1], QStringLiteral("READ 010E22 10"));
    EXPECT_TRUE(l[2].startsWith(QLatin1String("FIRMWARE ")));
    const int control = l.indexOf(QStringLiteral("CONTROL 1F 03 00"));
    ASSERT_GT(control, 0);
    EXPECT_EQ(l[control - 1], QStringLiteral("WRITE 010180 14")) << "398 bytes: the last chunk is 14";
    EXPECT_TRUE(l[control + 1].startsWith(QLatin1String("FREQ 0 ")));
    EXPECT_EQ(CountLines(l, QStringLiteral("FREQ ")), 16);
    EXPECT_EQ(l.last(), QStringLiteral("CLOSEFREQ 16 %1").arg(sample.ProgrammingModeEnabled()));
    EXPECT_EQ(CountLines(l, QStringLiteral("READ 010")), 14) << "the model, then 398 bytes read before the write";
}

TEST_F(OperationFixture, ARadioWithCode122IsWrittenWith386Bytes)
{
    VirtualCP cp = sample;
    cp.SetMaxCodes(122);
    ASSERT_TRUE(op->WriteRadio(cp));
    const QStringList l = log();
    EXPECT_TRUE(l.contains(QStringLiteral("READ 010180 2")));
    EXPECT_TRUE(l.contains(QStringLiteral("WRITE 010180 2")));
    EXPECT_FALSE(l.contains(QStringLiteral("WRITE 010180 14")));
}

TEST_F(OperationFixture, ARadioWithCode127IsWrittenWith398BytesCarryingTheTones)
{
    VirtualCP cp = sample;
    cp.SetMaxCodes(127);
    for (size_t i = 0; i < 6; ++i)
        cp.SetCustomTone(i, 0x1234 + static_cast<uint32_t>(i));
    ASSERT_TRUE(op->WriteRadio(cp));
    EXPECT_TRUE(log().contains(QStringLiteral("WRITE 010180 14")));
    EXPECT_EQ(link->radio().Peek(0x10000 + 302), 0x12);
    EXPECT_EQ(link->radio().Peek(0x10000 + 313), 0x39);
}

// The radio holds data everywhere; the write must change only what the write
// rules list, and never zero what it did not mean to change (bytes 386-397 above
// all, which a 386-byte read would have sent back as zeros).
TEST_F(OperationFixture, AWriteChangesOnlyTheBytesItMayChange)
{
    std::mt19937 rng(42);
    for (int round = 0; round < 20; ++round) {
        QByteArray dump(static_cast<int>(SimulatedRadio::kDumpSize), 0);
        for (char &b : dump)
            b = static_cast<char>(rng());
        ASSERT_TRUE(link->radio().LoadDump(dump));
        link->radio().SetFirmware('R', '2', '1');
        VirtualCP cp;
        for (uint8_t &b : cp.bytes)
            b = static_cast<uint8_t>(rng());
        cp.SetChannelSlots(rng() % 20);
        cp.SetFrequencySlots(rng() % 100);
        cp.SetMaxCodes(round % 2 ? 127 : 122);
        if (round % 3 == 0) {
            // The radio is one the firmware step applies to.
            cp = FirmwareStepImage(cp);
            cp.bytes[9] = round % 2 ? 4 : 5;
            link->radio().WriteRange(kModelAddress, cp.At(6), 8);
            link->radio().SetFirmware('R', '1', '6');
        }
        // What the write keys on is the radio's model and firmware.
        link->radio().ReadRange(kModelAddress, 8, cp.At(6));
        if (round % 3 == 0) {
            cp.SetFirmwarePhase('R');
            cp.SetFirmwareVersion('1');
            cp.SetFirmwareRevision('6');
        } else {
            cp.SetFirmwarePhase('R');
            cp.SetFirmwareVersion('2');
            cp.SetFirmwareRevision('1');
        }
        const std::vector<uint8_t> before = link->radio().Memory();
        recorder.Clear();
        ASSERT_TRUE(op->WriteRadio(cp)) << "round " << round;
        const std::vector<uint8_t> after = link->radio().Memory();
        EXPECT_EQ(test::ForbiddenChanges(before, after, test::AllowedWriteMask(cp)), "") << "round " << round;
        for (uint32_t b = 386; b < 398; ++b)
            EXPECT_EQ(after[b], before[b]) << "settings byte " << b << " round " << round;
    }
}

TEST_F(OperationFixture, TheFirmwareStepWritesTableBWhenTheRadioDiffers)
{
    const VirtualCP cp = FirmwareStepImage(sample);
    link->radio().LoadImage(cp);
    link->radio().Poke(kLimitsByte13Address, 0xFF);
    ASSERT_TRUE(op->WriteRadio(cp));
    const QStringList l = log();
    const int c1 = l.indexOf(QStringLiteral("CONTROL 1F 03 00"));
    const int c2 = l.indexOf(QStringLiteral("CONTROL 1F 04 00"));
    const int c3 = l.indexOf(QStringLiteral("CONTROL 1F 00 00"));
    ASSERT_TRUE(c1 >= 0 && c2 > c1 && c3 > c2);
    EXPECT_EQ(l[c1 + 1], QStringLiteral("READ 010A99 1"));
    EXPECT_EQ(l[c1 + 2], QStringLiteral("WRITE 010A99 1"));
    EXPECT_EQ(l[c2 + 1], QStringLiteral("WRITE 020466 1"));
    EXPECT_EQ(link->radio().Peek(kLimitsByte13Address), 0x7F);
    EXPECT_EQ(link->radio().Peek(kFirmwareStepByteAddress), 0x00);
    std::array<uint8_t, kParameterBlockSize> held{};
    link->radio().ReadRange(kParameterBlockAddress, held.size(), held.data());
    EXPECT_EQ(held, kReferenceTableB);
    EXPECT_EQ(CountLines(l, QStringLiteral("WRITE 010C9C")), 1);
}

TEST_F(OperationFixture, TheFirmwareStepLeavesTableBAloneWhenTheRadioHoldsIt)
{
    const VirtualCP cp = FirmwareStepImage(sample);
    link->radio().LoadImage(cp);
    link->radio().WriteRange(kParameterBlockAddress, kReferenceTableB.data(), kParameterBlockSize);
    ASSERT_TRUE(op->WriteRadio(cp));
    EXPECT_EQ(CountLines(log(), QStringLiteral("READ 010C9C 32")), 1);
    EXPECT_EQ(CountLines(log(), QStringLiteral("WRITE 010C")) + CountLines(log(), QStringLiteral("WRITE 010D")), 0);
}

TEST_F(OperationFixture, TableAForSecondLetterVAndDigit5)
{
    VirtualCP cp = FirmwareStepImage(sample);
    cp.bytes[7] = 'V';
    cp.bytes[9] = 5;
    link->radio().LoadImage(cp);
    ASSERT_TRUE(op->WriteRadio(cp));
    EXPECT_EQ(link->radio().Peek(kParameterBlockAddress + 89), 0x43);
}

// An image of one firmware written to a radio of another: the step is the
// radio's (an R16 image to an R21 radio leaves 10A99 and 10C9C alone; an R21
// image to an R16 radio gets the step).
TEST_F(OperationFixture, TheFirmwareStepFollowsTheRadioNotTheImage)
{
    const VirtualCP r16 = FirmwareStepImage(sample);
    ASSERT_TRUE(op->WriteRadio(r16)); // the radio is the sample, R21
    EXPECT_EQ(CountLines(log(), QStringLiteral("CONTROL 1F 04 00")), 0);
    EXPECT_EQ(CountLines(log(), QStringLiteral("WRITE 010A99")) + CountLines(log(), QStringLiteral("WRITE 010C9C")), 0);

    link->radio().LoadImage(r16);
    link->radio().Poke(kLimitsByte13Address, 0xFF);
    link->radio().ClearLog();
    ASSERT_TRUE(op->WriteRadio(sample)); // an R21 image to the R16 radio
    EXPECT_EQ(CountLines(log(), QStringLiteral("CONTROL 1F 04 00")), 1);
    EXPECT_EQ(link->radio().Peek(kLimitsByte13Address), 0x7F);
    std::array<uint8_t, kParameterBlockSize> held{};
    link->radio().ReadRange(kParameterBlockAddress, held.size(), held.data());
    EXPECT_EQ(held, kReferenceTableB);
}

TEST_F(OperationFixture, ARefusedWriteFailsWithMinus12AndOneNotification)
{
    link->radio().faults().refuseWrites = true;
    EXPECT_FALSE(op->WriteRadio(sample));
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioCommFailure, -1}}));
    EXPECT_EQ(op->LastProtocolError(), -12);
    EXPECT_EQ(op->Protocol().ErrorFlag(), 1);
    EXPECT_EQ(op->FailureDetail(), QStringLiteral("The radio refused the memory write (protocol error -12)."));
    EXPECT_EQ(CountLines(log(), QStringLiteral("CONTROL")), 0) << "nothing after the refused chunk";
    EXPECT_EQ(link->closes, 1);
}

TEST_F(OperationFixture, OneWrongAckAndOneWrongChecksumStillTransferTheImage)
{
    link->radio().faults().badAckAtReply = 4;
    link->radio().faults().badChecksumAtReply = 9;
    VirtualCP cp;
    ASSERT_TRUE(op->ReadRadio(cp));
    EXPECT_EQ(cp, sample);
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioDone, 0}}));
    EXPECT_EQ(link->radio().RequestsSeen(), link->radio().RepliesSent());
}

TEST_F(OperationFixture, ASilentRadioFailsWithMinus1AfterBoundedRetries)
{
    link->radio().faults().silent = true;
    CRadioIdent ident;
    EXPECT_FALSE(op->Identify(ident));
    EXPECT_EQ(recorder.All(), (std::vector<N>{{RadioCommFailure, -1}}));
    EXPECT_EQ(link->elapsedMs, 2 * 20 * 120 + 120) << "4.8 s of read time-outs on a real line and the drain before the retry, then it gives up";
    EXPECT_EQ(op->FailureDetail(), QStringLiteral("The radio did not answer."));
}

TEST_F(OperationFixture, ACableUnpluggedMidTransferStoresTheStatusAndNotifiesOnce)
{
    link->unplugAfterBytes = 600; // inside the settings block
    VirtualCP cp;
    EXPECT_FALSE(op->ReadRadio(cp));
    EXPECT_EQ(op->CableStatus(), FT_IO_ERROR);
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioCommFailure, -1}}));
    EXPECT_TRUE(link->unplugged);
    EXPECT_TRUE(op->FailureDetail().startsWith(QLatin1String("The connection to the radio was lost"))) << op->FailureDetail().toStdString();
    EXPECT_EQ(link->closes, 1);
    const long moved = link->bytesRead + link->bytesWritten;
    EXPECT_LE(moved, 600);
}

TEST_F(OperationFixture, AnOpenThatFailsPostsMinus1)
{
    link->failOpens = 3;
    EXPECT_FALSE(op->Reset());
    EXPECT_EQ(recorder.All(), (std::vector<N>{{RadioCommFailure, -1}}));
    EXPECT_EQ(link->sleeps, (std::vector<int>{500, 1000}));
    EXPECT_EQ(link->radio().RequestsSeen(), 0);
}

TEST_F(OperationFixture, ResetWaits2000MsThenReports100AndDone)
{
    ASSERT_TRUE(op->Reset());
    EXPECT_EQ(link->sleeps, (std::vector<int>{2000}));
    EXPECT_EQ(recorder.All(), (std::vector<N>{{RadioProgress, 100}, {RadioDone, 0}}));
    EXPECT_EQ(log(), (QStringList{QStringLiteral("RESET")}));
}

TEST_F(OperationFixture, FactoryResetSendsControl1F0301)
{
    link->radio().Poke(0x10000 + 24, 'X');
    ASSERT_TRUE(op->FactoryReset());
    EXPECT_EQ(log().first(), QStringLiteral("CONTROL 1F 03 01"));
    EXPECT_EQ(link->sleeps, (std::vector<int>{2000}));
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioDone, 0}}));
    EXPECT_EQ(link->radio().Peek(0x10000 + 24), sample.bytes[95]) << "the simulated radio restores its factory memory";
}

TEST_F(OperationFixture, StartLinkAndCloseLink)
{
    ASSERT_TRUE(op->StartLink());
    EXPECT_EQ(log(), (QStringList{QStringLiteral("LINK")}));
    EXPECT_EQ(recorder.All(), (std::vector<N>{{RadioDone, 0}}));
    recorder.Clear();
    EXPECT_FALSE(op->CloseLink()) << "nothing open";
    EXPECT_EQ(recorder.All(), (std::vector<N>{{RadioCommFailure, -1}}));
}

// A link start whose replies stay cut short fails as a short answer, not
// as a radio that did not answer.
TEST_F(OperationFixture, ALinkStartCutShortSaysSo)
{
    link->radio().faults().shortReplyAtReply = 1;
    ASSERT_TRUE(op->StartLink()) << "one reply cut short is retried";
    recorder.Clear();
    op->ClearFailure();
    link->radio().faults().silentAfterReplies = link->radio().RepliesSent() + 1;
    link->radio().faults().shortReplyAtReply = link->radio().RepliesSent() + 1;
    EXPECT_FALSE(op->StartLink());
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioCommFailure, -1}}));
    EXPECT_EQ(op->FailureDetail(), QStringLiteral("The radio's answer was too short."));
}

TEST_F(OperationFixture, QuietFlagsAreClearedWhenAnOperationStarts)
{
    op->SetQuiet(0, true);
    op->SetQuiet(1, true);
    ASSERT_TRUE(op->Reset());
    EXPECT_EQ(progress(), Progress({100}));
}

TEST_F(OperationFixture, NoSinkNoNotifications)
{
    CRadioOperation silentOp(nullptr, link->Config());
    EXPECT_TRUE(silentOp.StartLink());
}

TEST_F(OperationFixture, CountCablesStoresTheIndexAndTheConnectedFlag)
{
    link->devices = {QStringLiteral("FT232R USB UART"), std::nullopt, QStringLiteral("Zerva Series CPS Cable"), QStringLiteral("Zerva Series CPS Cable")};
    SetCableDeviceIndex(0);
    EXPECT_EQ(op->CountCables(), 2);
    EXPECT_EQ(CableDeviceIndex(), 2);
    EXPECT_EQ(op->Protocol().Cable().m_bConnected, 1);
    link->devices.clear();
    EXPECT_EQ(op->CountCables(), 0);
    EXPECT_EQ(op->Protocol().Cable().m_bConnected, 0);
    EXPECT_EQ(CableDeviceIndex(), 2) << "no cable: the index of the last one found stays";
    SetCableDeviceIndex(0);
}

TEST(RadioChecks, CloneCompatibilityAndCodeplugVersion)
{
    EXPECT_TRUE(CRadioOperation::IsCloneCompatible(20));
    EXPECT_FALSE(CRadioOperation::IsCloneCompatible(2));
    EXPECT_FALSE(CRadioOperation::IsCloneCompatible(21));
    EXPECT_TRUE(CRadioOperation::IsCodeplugSupported('D', 200, 18)) << "development codeplugs always";
    EXPECT_TRUE(CRadioOperation::IsCodeplugSupported('R', 18, 18));
    EXPECT_TRUE(CRadioOperation::IsCodeplugSupported('R', 17, 18));
    EXPECT_FALSE(CRadioOperation::IsCodeplugSupported('R', 19, 18));
}

// ---- the read/write dialog's sequence

namespace {
// Clears the continue flag on a failure, as the dialog's handler does.
struct DialogSink : IRadioNotificationSink {
    RadioNotificationRecorder recorder;
    std::atomic<bool> continueFlag{true};
    void Notify(int type, int value) override
    {
        recorder.Notify(type, value);
        if (type == RadioCommFailure || type == RadioMemoryWarning)
            continueFlag = false;
    }
};
} // namespace

TEST_F(OperationFixture, TransferReadRunsLinkReadAndReset)
{
    DialogSink sink;
    CRadioOperation dialogOp(&sink, link->Config());
    VirtualCP cp;
    ASSERT_TRUE(RunTransfer(dialogOp, TransferKind::Read, cp, sink.continueFlag));
    EXPECT_EQ(cp, sample);
    EXPECT_EQ(log().first(), QStringLiteral("LINK"));
    EXPECT_EQ(log().last(), QStringLiteral("RESET"));
    // Three stages, three "done"; the last progress before the final done is 100.
    EXPECT_EQ(sink.recorder.Finals(), (std::vector<N>(3, N{RadioDone, 0})));
    const std::vector<N> all = sink.recorder.All();
    EXPECT_EQ(all[all.size() - 2], (N{RadioProgress, 100}));
}

TEST_F(OperationFixture, AWriteWhoseLinkStartFailsDoesNotSendTheCodeplug)
{
    link->radio().faults().silent = true;
    DialogSink sink;
    CRadioOperation dialogOp(&sink, link->Config());
    VirtualCP cp = sample;
    EXPECT_FALSE(RunTransfer(dialogOp, TransferKind::Write, cp, sink.continueFlag));
    EXPECT_EQ(sink.recorder.Finals(), (std::vector<N>{{RadioCommFailure, -1}}));
    EXPECT_EQ(CountLines(log(), QStringLiteral("WRITE")) + CountLines(log(), QStringLiteral("STATUS")), 0);
}

// A failed read or write is still followed by the reset (best effort), so
// the radio never stays in programming mode; the first failure is the one
// reported.
TEST_F(OperationFixture, AFailedReadOrWriteIsFollowedByTheReset)
{
    link->radio().faults().memoryStatus = 8;
    DialogSink sink;
    CRadioOperation dialogOp(&sink, link->Config());
    VirtualCP cp;
    EXPECT_FALSE(RunTransfer(dialogOp, TransferKind::Read, cp, sink.continueFlag));
    EXPECT_EQ(log(), (QStringList{QStringLiteral("LINK"), QStringLiteral("STATUS 8"), QStringLiteral("RESET")}));
    EXPECT_EQ(sink.recorder.Finals(), (std::vector<N>{{RadioDone, 0}, {RadioMemoryWarning, 8}, {RadioDone, 0}}));

    link->radio().faults().memoryStatus = 0;
    link->radio().faults().refuseWrites = true;
    link->radio().ClearLog();
    DialogSink writeSink;
    CRadioOperation writeOp(&writeSink, link->Config());
    cp = sample;
    EXPECT_FALSE(RunTransfer(writeOp, TransferKind::Write, cp, writeSink.continueFlag));
    EXPECT_EQ(log().last(), QStringLiteral("RESET"));
    EXPECT_EQ(writeOp.FirstFailure(), LinkFailure::Refused);
    EXPECT_TRUE(writeOp.WriteStarted());
}

TEST_F(OperationFixture, AnOperationOnAWorkerThreadNotifiesThroughTheSink)
{
    VirtualCP cp;
    std::thread worker([&] {
        std::lock_guard<std::mutex> lock(RadioLock());
        op->ReadRadio(cp);
    });
    EXPECT_TRUE(recorder.WaitForFinals(1, 10000));
    worker.join();
    EXPECT_EQ(recorder.Finals(), (std::vector<N>{{RadioDone, 0}}));
    EXPECT_EQ(cp, sample);
}
