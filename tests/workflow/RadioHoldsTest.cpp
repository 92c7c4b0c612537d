// What a radio will hold of an image written into it: the frequency slots
// made for the radio's own synthesizer base and limits (or the write
// refused), the frequencies a read-back decodes compared in hertz, the
// codes the radio cannot hold named, and one answer for a channel that
// transmits with its receive settings (the change list, CHIRP export and
// import, the report's profile text).

#include "workflow/CRadioCommands.h"

#include "base/ProfileNames.h"
#include "profile/CRadioDataModel.h"
#include "profile/model_fixture.h"
#include "profile/ProfileChecks.h"
#include "radio/RadioMemoryMap.h"
#include "support/RecordingSink.h"
#include "workflow/ChirpCsv.h"
#include "workflow/CodeplugComparison.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstring>

using namespace tavo;

namespace {

void SetText(uint8_t *field, size_t width, const char *text)
{
    std::memset(field, 0, width);
    std::memcpy(field, text, std::min(width, std::strlen(text)));
}

// A radio or profile image: `base` and the limits, two channels in use on
// the frequencies given (receive slot 0 and 1, transmit the same).
VirtualCP Image(uint32_t base, uint32_t low, uint32_t high, std::initializer_list<uint32_t> frequencies)
{
    VirtualCP cp;
    SetText(cp.SerialBytes(), VirtualCP::kSerialWidth, "123ABC4567");
    SetText(cp.ModelLettersBytes(), 3, "OUD");
    cp.SetSynthBase(base);
    cp.SetStartFreq(low);
    cp.SetEndFreq(high);
    cp.SetChannelSlots(16);
    cp.SetFrequencySlots(static_cast<uint32_t>(frequencies.size()));
    cp.SetMaxCodes(127);
    size_t s = 0;
    for (uint32_t hz : frequencies) {
        FrequencySlot f;
        HzToSynth(hz, f, base);
        f.SetPowerLevel(1);
        cp.SetFrequency(s++, f);
    }
    cp.SetNumberChannels(2);
    for (size_t j = 0; j < 2; ++j) {
        ChannelSlot c;
        c.SetRxFreqNdx(static_cast<uint32_t>(j));
        c.SetTxFreqNdx(static_cast<uint32_t>(j));
        c.SetRxCode(1);
        c.SetTxCode(1);
        c.SetRepeater(1);
        cp.SetChannel(j, c);
    }
    return cp;
}

// The demonstration radio: PMR446, base 400.
VirtualCP Pmr446Radio()
{
    return Image(400, 446000000, 446200000, {446006250});
}

uint32_t Hz(const VirtualCP &cp, size_t slot)
{
    return SynthToHz(cp.Frequency(slot), cp.SynthBase());
}

CodeplugComparisonOptions Dotted()
{
    CodeplugComparisonOptions options;
    options.decimalSeparator = QStringLiteral(".");
    options.buttonName = [](const QString &, uint32_t) { return QString(); };
    return options;
}

} // namespace

// A licensed profile (461 MHz, base 380) into a PMR446 radio (base 400,
// 446.0-446.2 MHz) is refused before anything is sent, naming the
// frequency and the radio's range; the image stays as it was.
TEST(RadioHolds, AFrequencyOutsideTheRadioStopsTheWrite)
{
    const VirtualCP licensed = Image(380, 400000000, 470000000, {461087500, 461037500});
    VirtualCP image = licensed;
    QString refusal;
    EXPECT_FALSE(FitImageToRadio(image, Pmr446Radio(), refusal));
    EXPECT_EQ(refusal.toStdString(), "Channel 1: 461.087500 MHz is outside this radio's range (446.0-446.2 MHz). Nothing was written.");
    EXPECT_EQ(image, licensed);

    // A channel that transmits outside, receiving inside, is refused too; a
    // frequency of the table that no channel uses is not.
    VirtualCP mixed = Image(400, 446000000, 446200000, {446006250, 446018750, 447000000, 440000000});
    ChannelSlot c = mixed.Channel(1);
    c.SetTxFreqNdx(2);
    mixed.SetChannel(1, c);
    image = mixed;
    EXPECT_FALSE(FitImageToRadio(image, Pmr446Radio(), refusal));
    EXPECT_TRUE(refusal.startsWith(QStringLiteral("Channel 2: 447.000000 MHz"))) << refusal.toStdString();
    // ... unless the channel transmits with its receive settings.
    c.SetRepeater(0);
    mixed.SetChannel(1, c);
    image = mixed;
    EXPECT_TRUE(FitImageToRadio(image, Pmr446Radio(), refusal)) << refusal.toStdString();
    EXPECT_EQ(Hz(image, 3), 440000000u) << "a table entry no channel uses is kept";
    // A radio that reports no limits at all is not held to any.
    image = licensed;
    VirtualCP unknown = Pmr446Radio();
    unknown.SetStartFreq(0);
    unknown.SetEndFreq(0);
    EXPECT_TRUE(FitImageToRadio(image, unknown, refusal));
}

// The PMR446 profile (base 400) into a licensed radio (base 380): every
// slot goes in for the radio's base, so the radio uses exactly the
// profile's frequencies; power, compander and bandwidth bytes stay.
TEST(RadioHolds, FrequenciesAreMadeForTheRadiosOwnBase)
{
    const VirtualCP pmr = Image(400, 446000000, 446200000, {446006250, 446193750});
    const VirtualCP radio = Image(380, 403000000, 470000000, {461087500});
    VirtualCP image = pmr;
    QString refusal;
    ASSERT_TRUE(FitImageToRadio(image, radio, refusal)) << refusal.toStdString();
    EXPECT_EQ(image.SynthBase(), 380u);
    EXPECT_EQ(image.StartFreq(), 403000000u);
    EXPECT_EQ(image.EndFreq(), 470000000u);
    for (size_t s = 0; s < 2; ++s) {
        EXPECT_EQ(SynthToHz(image.Frequency(s), 380), Hz(pmr, s)) << "slot " << s;
        EXPECT_EQ(image.Frequency(s).PowerLevel(), 1u);
    }
    // Without the fit the radio would decode the profile's bytes with its
    // own base: 20 steps of 1.05 MHz lower.
    EXPECT_EQ(SynthToHz(pmr.Frequency(0), 380), 425006250u);
    // The change list sees the radio's frequencies, not the bytes.
    VirtualCP before = radio;
    before.SetFrequencySlots(2);
    FrequencySlot f;
    HzToSynth(446006250, f, 380);
    f.SetPowerLevel(1);
    before.SetFrequency(0, f);
    HzToSynth(446193750, f, 380);
    before.SetFrequency(1, f);
    for (const QString &line : CodeplugChangeLines(before, image, Dotted()))
        EXPECT_FALSE(line.startsWith(QLatin1String("Frequency"))) << line.toStdString();

    // An image made for the radio's base keeps its bytes.
    VirtualCP same = Image(380, 400000000, 470000000, {461087500});
    const VirtualCP kept = same;
    ASSERT_TRUE(FitImageToRadio(same, radio, refusal));
    EXPECT_EQ(same.Frequency(0), kept.Frequency(0));

    // Channel records go only where the radio has slots: a profile claiming
    // 19 slots for a 16-slot radio is sent as 16; one using 17 is refused.
    VirtualCP wide = Image(380, 400000000, 470000000, {461087500});
    wide.SetChannelSlots(19);
    ASSERT_TRUE(FitImageToRadio(wide, radio, refusal)) << refusal.toStdString();
    EXPECT_EQ(wide.ChannelSlots(), 16u);
    wide.SetChannelSlots(19);
    wide.SetNumberChannels(17);
    EXPECT_FALSE(FitImageToRadio(wide, radio, refusal));
    EXPECT_EQ(refusal.toStdString(), "The profile uses 17 channels; this radio has 16. Nothing was written.");

    // A frequency no divider offset can reach from the radio's base is refused.
    VirtualCP far = Image(100, 100000000, 470000000, {110000000});
    far.SetNumberChannels(0);
    EXPECT_FALSE(FitImageToRadio(far, radio, refusal));
    EXPECT_TRUE(refusal.contains(QLatin1String("110.000000 MHz"))) << refusal.toStdString();
}

// Verify decodes the frequency records read back with the radio's base:
// bytes that came back as sent still fail when the radio uses another
// frequency than the one meant.
TEST(RadioHolds, VerifyComparesTheFrequenciesTheRadioUses)
{
    const VirtualCP written = Image(400, 446000000, 446200000, {446006250, 446018750});
    std::vector<MemoryRun> held{{radiomap::kFrequencyAddress, std::vector<uint8_t>(2 * radiomap::kFrequencyRecordSize)}};
    for (size_t s = 0; s < 2; ++s)
        radiomap::PackFrequencyRecord(written.Frequency(s), held[0].bytes.data() + s * radiomap::kFrequencyRecordSize);
    EXPECT_EQ(FirstFrequencyDifference(written, held, 400), QString());
    EXPECT_EQ(FirstFrequencyDifference(written, held, 380).toStdString(),
              "frequency 1 (446.006250 MHz written, the radio uses 425.006250 MHz)");
}

// Codes above the radio's highest become 1, and each one the radio would
// use is named; a transmit code the channel does not send with is not.
TEST(RadioHolds, CodesTheRadioCannotHoldAreNamed)
{
    test::RecordingSink sink;
    VirtualCP image = Image(400, 446000000, 446200000, {446006250});
    image.SetMaxCodes(213);
    ChannelSlot c = image.Channel(0);
    c.SetRxCode(200); // an inverted DCS code
    c.SetTxCode(129); // the sixth customised tone
    image.SetChannel(0, c);
    c = image.Channel(1);
    c.SetRepeater(0);
    c.SetTxCode(150); // stored, not sent
    image.SetChannel(1, c);
    CRadioIdent ident;
    std::memcpy(ident.m_szModel, "OUD\x01\x01\x06\x00\x02", 8);
    ident.m_nMaxCodes = 127;
    QStringList notes;
    ASSERT_TRUE(ConvertModelForRadio(image, QStringLiteral("OUD11602"), ident, &notes));
    ASSERT_EQ(notes.size(), 2) << notes.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(notes[0].startsWith(QLatin1String("Channel 1 receive tone: "))) << notes[0].toStdString();
    EXPECT_TRUE(notes[0].endsWith(QLatin1String("cannot be held by this radio (codes up to 127): written as 67.0 Hz")))
        << notes[0].toStdString();
    EXPECT_TRUE(notes[1].startsWith(QLatin1String("Channel 1 transmit tone: "))) << notes[1].toStdString();
    EXPECT_EQ(image.Channel(0).RxCode(), 1u);
    EXPECT_EQ(image.Channel(1).TxCode(), 1u);
    EXPECT_TRUE(sink.empty()) << "nothing asked: the notes go to the change list";

    // A radio without customised tones is told so once.
    image.SetMaxCodes(127);
    ident.m_nMaxCodes = 122;
    notes.clear();
    ASSERT_TRUE(ConvertModelForRadio(image, QStringLiteral("OUD11602"), ident, &notes));
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].startsWith(QLatin1String("Customized tones 124-129: this radio has none"))) << notes[0].toStdString();
}

// The change list compares the programming-mode setting of the limits,
// channels as the radio uses them, and two stored values that show as one
// text by what is stored.
TEST(RadioHolds, TheChangeListCountsWhatTheRadioDoes)
{
    const VirtualCP radio = Image(400, 446000000, 446200000, {446006250, 446018750});
    VirtualCP changed = radio;
    changed.SetProgrammingModeEnabled(1);
    EXPECT_EQ(CodeplugChangeLines(radio, changed, Dotted()), QStringList{QStringLiteral("Enable programming mode: OFF → ON")});

    // Talkaround: the stored transmit code changes nothing the radio sends.
    changed = radio;
    ChannelSlot c = changed.Channel(0);
    c.SetRepeater(0);
    changed.SetChannel(0, c);
    VirtualCP talkaround = changed;
    c.SetTxCode(8);
    c.SetTxFreqNdx(1);
    changed.SetChannel(0, c);
    EXPECT_EQ(CodeplugChangeLines(talkaround, changed, Dotted()), QStringList());
    // With the repeater on it does.
    c.SetRepeater(1);
    changed.SetChannel(0, c);
    EXPECT_EQ(CodeplugChangeLines(radio, changed, Dotted()),
              QStringList({QStringLiteral("Channel 1 transmit frequency: 446.006250 → 446.018750"), QStringLiteral("Channel 1 transmit tone: 67.0 Hz → 88.5 Hz")}));
    // One code per channel on the radio: the same.
    VirtualCP noRepeater = radio, noRepeaterChanged = radio;
    noRepeater.SetDisableRepeaterFeature(1);
    noRepeaterChanged.SetDisableRepeaterFeature(1);
    c = noRepeaterChanged.Channel(1);
    c.SetTxCode(20);
    noRepeaterChanged.SetChannel(1, c);
    EXPECT_EQ(CodeplugChangeLines(noRepeater, noRepeaterChanged, Dotted()), QStringList());

    // A compander mode 2 shows as OFF as 0 does: the stored values tell them apart.
    changed = radio;
    FrequencySlot f = changed.Frequency(0);
    f.SetCompanderMode(2);
    changed.SetFrequency(0, f);
    EXPECT_EQ(CodeplugChangeLines(radio, changed, Dotted()), QStringList{QStringLiteral("Frequency 1 compander: OFF (0) → OFF (2)")});
}

namespace {

class EffectiveChannel : public test::ModelTest {
protected:
    // Channel 1 of a licensed radio (it has the repeater feature) in
    // talkaround, a transmit tone stored that it never sends.
    void LoadTalkaround()
    {
        LoadTemplate(QStringLiteral("ZVR51622"));
        ASSERT_EQ(Set(QStringLiteral("channels/channel"), names::kRepeater, 0).result, 0);
        ASSERT_EQ(Set(QStringLiteral("channels/channel"), names::kRxCode, 0).result, 0);
        ASSERT_EQ(Set(QStringLiteral("channels/channel"), names::kTxCode, 8).result, 0);
    }

    QList<QByteArray> CsvRows() { return ExportChirpCsv(m_model).split('\n'); }
};

const char kCsvHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\n";

QStringList NoteTexts(const ChirpImportReport &report)
{
    QStringList out;
    for (const ChirpCsvLine &l : report.notes)
        out << FormatChirpCsvLine(l);
    return out;
}

} // namespace

// A talkaround channel exports and reports what it sends: no tone, its
// receive frequency; the profile itself keeps the stored transmit tone.
TEST_F(EffectiveChannel, ExportAndReportTextShowWhatTheChannelSends)
{
    LoadTalkaround();
    const QList<QByteArray> fields = CsvRows().at(1).split(',');
    ASSERT_GT(fields.size(), 6);
    EXPECT_EQ(fields.at(3), QByteArray()) << "simplex";
    EXPECT_EQ(fields.at(5), QByteArray()) << "no tone is sent: " << CsvRows().at(1).toStdString();

    const QRegularExpression firstChannel(QStringLiteral("<channel [^>]*>"));
    const QString stored = firstChannel.match(m_model.GetXmlText()).captured(0);
    const QString effective = firstChannel.match(m_model.GetEffectiveXmlText()).captured(0);
    EXPECT_TRUE(stored.contains(QLatin1String("tx_code=\"8\""))) << stored.toStdString();
    EXPECT_TRUE(effective.contains(QLatin1String("tx_code=\"0\""))) << effective.toStdString();
    EXPECT_TRUE(firstChannel.match(m_model.GetXmlText()).captured(0).contains(QLatin1String("tx_code=\"8\""))) << "the profile is left as it was";

    // Its repeater on, the channel sends the stored tone again.
    ASSERT_EQ(Set(QStringLiteral("channels/channel"), names::kRepeater, 1).result, 0);
    EXPECT_EQ(CsvRows().at(1).split(',').at(5), QByteArray("Tone")) << CsvRows().at(1).toStdString();
}

// A row whose transmit and receive codes differ, imported into a channel
// that transmits with its receive settings, takes one code both ways (the
// receive one, or the transmit tone where receive is open), and the summary
// names the row and what it became.
TEST_F(EffectiveChannel, ImportGivesATalkaroundChannelOneCodeAndSaysSo)
{
    LoadTemplate(QStringLiteral("ZVR51622"));
    const QByteArray rows =
        "1,TONE,150.100000,,0.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,Low,,,,,\n"
        "3,RPT,145.600000,-,0.600000,Tone,123.0,88.5,023,NN,023,Tone->Tone,FM,12.50,,High,,,,,\n";
    const ChirpImportReport report = ImportChirpCsv(m_model, QByteArray(kCsvHeader) + rows);
    EXPECT_EQ(report.imported, 2) << (report.refused.isEmpty() ? std::string() : FormatChirpCsvLine(report.refused.front()).toStdString());
    EXPECT_EQ(NoteTexts(report),
              QStringList{QStringLiteral("Line 2: this channel transmits with its receive settings: transmit 88.5 Hz, receive No CT/DCS code "
                                         "became 88.5 Hz both ways.")})
        << "the repeater row sends its own tone";
    const CDataItem first = Item(QStringLiteral("channels/channel"));
    EXPECT_EQ(first.GetInt(names::kRxCode), first.GetInt(names::kTxCode));
    EXPECT_NE(first.GetInt(names::kRxCode), 0);

    // A radio with one code per channel: every row takes one code (a split
    // row is no row for it at all).
    LoadTemplate(QStringLiteral("ZUD11602"));
    const ChirpImportReport pmr = ImportChirpCsv(
        m_model, QByteArray(kCsvHeader) + "1,SPLIT,446.006250,split,446.018750,,88.5,88.5,023,NN,047,Tone->DTCS,NFM,6.25,,Low,,,,,\n"
                                          "2,POL,446.031250,,0.000000,DTCS,88.5,88.5,023,RN,023,Tone->Tone,NFM,6.25,,Low,,,,,\n");
    EXPECT_EQ(pmr.imported, 1);
    EXPECT_EQ(pmr.refused.size(), 1);
    EXPECT_EQ(NoteTexts(pmr),
              QStringList{QStringLiteral(
                  "Line 3: this channel transmits with its receive settings: transmit DCS 023 R, receive DCS 023 N became DCS 023 N both ways.")});
}
