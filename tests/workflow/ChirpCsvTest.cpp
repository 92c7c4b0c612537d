// Channel plans as CHIRP CSV: a hand-made file with every tone mode and
// rows the radio cannot hold, the round trip of every template, and the
// two commands of tavocps-cli.

#include "profile/model_fixture.h"
#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include "workflow/ChirpCsv.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "ChirpCsvLines.h"

#include <QDir>
#include <QTemporaryDir>

using namespace tavo;
using namespace tavo::test;

namespace {

const char kHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// A PMR446 radio (maxCodes 213: customised tones and inverted codes) as a
// dealer's file would come from another tool: quoted fields, a comment with
// a comma, rows cut short, CR LF.
const char kPmrRows[] =
    "1,\"TSQL 1\",446.006250,,0.000000,TSQL,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,Low,,,,,\r\n"
    "2,DCS2,446.018750,,0.000000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,S,Low,,,,,\r\n"
    "3,DCSINV,446.031250,,0.000000,DTCS,88.5,88.5,754,RR,023,Tone->Tone,NFM,6.25,,Low,,,,,\r\n"
    "4,CROSS,446.043750,,0.000000,Cross,100.0,88.5,023,NN,047,Tone->DTCS,NFM,6.25,,Low,\"tx tone, rx code\",,,,\r\n"
    "5,TX;ONLY,446.056250,,0.000000,Tone,67.0,88.5,023,NN,023,Tone->Tone,NFM,6.25,,Low\r\n"
    "6,VHF,145.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,Low,,,,,\r\n"
    "7,CUSTOM,446.068750,,0.000000,TSQL,88.5,100.5,023,NN,023,Tone->Tone,NFM,6.25,,Low,,,,,\r\n"
    "8,\"A very long name\",446.081250,,0.000000,Cross,88.5,88.5,023,RN,025,DTCS->DTCS,NFM,6.25,,,,,,,\r\n"
    "17,EXTRA,446.093750,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,Low,,,,,\r\n"
    "9,HIGH,446.093750,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,High,,,,,\r\n"
    "10,WIDE,446.106250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,Low,,,,,\r\n"
    "11,ODD,446.118750,,0.000000,Cross,88.5,88.5,017,NN,023,DTCS->,NFM,6.25,,Low,,,,,\r\n"
    ",,,,\r\n";

// The attributes a CSV row carries, per channel in use, with frequencies in
// hertz and tones resolved, so that two profiles compare by meaning.
QStringList Channels(const CRadioDataModel &model)
{
    CDataItem channels, frequencies, setting;
    model.m_rootItem.GetChildByName(QStringLiteral("channels"), channels);
    model.m_rootItem.GetChildByName(QStringLiteral("frequencies"), frequencies);
    model.m_rootItem.GetChildByName(QStringLiteral("setting"), setting);
    auto hz = [&](int index) {
        CDataItem f;
        frequencies.GetChildByIndex(index, f);
        return f.GetText(QStringLiteral("freq"));
    };
    auto code = [&](int c) {
        return c >= 124 && c <= 129 ? QStringLiteral("ct%1").arg(setting.GetText(QStringLiteral("CTcode%1").arg(c)))
                                    : QString::number(c);
    };
    QStringList out;
    const int used = setting.GetInt(QStringLiteral("numberChannels"));
    for (int i = 0; i < used; ++i) {
        CDataItem ch;
        channels.GetChildByIndex(i, ch);
        const bool repeater = ch.GetText(QStringLiteral("repeater")) == QLatin1String("1");
        out << QStringLiteral("%1 rx=%2 tx=%3 codes=%4/%5 bw=%6 power=%7 scan=%8 rep=%9")
                   .arg(ch.GetText(QStringLiteral("name")), hz(ch.GetInt(QStringLiteral("rx_freq_ndx"))),
                        hz(ch.GetInt(repeater ? QStringLiteral("tx_freq_ndx") : QStringLiteral("rx_freq_ndx"))),
                        code(ch.GetInt(QStringLiteral("rx_code"))), code(ch.GetInt(QStringLiteral("tx_code"))),
                        ch.GetText(QStringLiteral("rx_bw")),
                        ch.GetText(repeater ? QStringLiteral("repeater_power") : QStringLiteral("talkaround_power")),
                        ch.GetText(QStringLiteral("in_scanlist")), QString::number(repeater));
    }
    return out;
}

// The same rows with each channel moved one place on (the last to the first).
QByteArray Rotated(const QByteArray &csv)
{
    QList<QByteArray> lines = csv.split('\n');
    lines.removeLast(); // after the final line end
    const int rows = lines.size() - 1;
    for (int i = 1; i <= rows; ++i) {
        const int comma = lines[i].indexOf(',');
        lines[i] = QByteArray::number(i % rows + 1) + lines[i].mid(comma);
    }
    return lines.join('\n') + '\n';
}

class ChirpCsv : public ModelTest {};

} // namespace

// Readable failures for lists of texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace {

} // namespace

TEST_F(ChirpCsv, HandMadeFileTakesEveryToneModeAndReportsWhatTheRadioCannotHold)
{
    LoadTemplate(QStringLiteral("ZUD11602"));
    const ChirpImportReport report = ImportChirpCsv(m_model, QByteArray(kHeader) + "\r\n" + kPmrRows);
    ASSERT_TRUE(report.isChirpFile);
    EXPECT_EQ(report.rows, 12);
    EXPECT_EQ(report.imported, 9);
    // High power and 25 kHz on PMR446 frequencies: taken with what the
    // frequency allows, said once.
    EXPECT_EQ(Texts(report.refused),
              QStringList({
                  "Line 7: Receive frequency 145.500000 MHz: Invalid frequency: This frequency is not supported by this radio.",
                  "Line 13: The DCS code 017 is not one of this radio's codes.",
              }));
    // The row beyond the channels is said in the summary, not on a line of its own.
    EXPECT_EQ(ChirpImportSummary(report),
              QStringList({"9 of 12 rows imported.", "1 row: power set to 0.5 W, as this radio allows only this.",
                           "1 row: bandwidth set to 12.5 kHz, as this radio allows only this.",
                           "Rows left out because their locations lie beyond the radio's 16 channels: 1 (locations 17 to 17)."}));
    // A PMR446 radio sends with its receive settings: a row whose two sides
    // differ takes one code both ways, and says so.
    EXPECT_EQ(Texts(report.notes),
              QStringList({"Line 5: this channel transmits with its receive settings: transmit 100.0 Hz, receive DCS 047 N became DCS 047 N both ways.",
                           "Line 6: this channel transmits with its receive settings: transmit 67.0 Hz, receive No CT/DCS code became 67.0 Hz both ways.",
                           "Line 9: this channel transmits with its receive settings: transmit DCS 023 R, receive DCS 025 N became DCS 025 N both ways.",
                           QStringLiteral("Line 6: The name \"TX;ONLY\" was not taken (%1) The channel is called \"PMR 5\".")
                               .arg(LoadString(msg::NameCharactersAllowed)),
                           "Line 9: The name \"A very long name\" was cut to \"A very l\" (8 characters)."}));

    // 88.5 Hz is code 8; DCS 023 code 39, inverted 130; DCS 754 inverted is
    // 212; 100.0 Hz code 12, DCS 047 code 45, DCS 025 code 40; 100.5 Hz is
    // in no table and takes the first customised slot.
    const QStringList channels = Channels(m_model);
    EXPECT_EQ(channels.mid(0, 8),
              QStringList({
                  "TSQL 1 rx=446006250 tx=446006250 codes=8/8 bw=0 power=1 scan=1 rep=0",
                  "DCS2 rx=446018750 tx=446018750 codes=39/39 bw=0 power=1 scan=0 rep=0",
                  "DCSINV rx=446031250 tx=446031250 codes=212/212 bw=0 power=1 scan=1 rep=0",
                  "CROSS rx=446043750 tx=446043750 codes=45/45 bw=0 power=1 scan=1 rep=0",
                  "PMR 5 rx=446056250 tx=446056250 codes=1/1 bw=0 power=1 scan=1 rep=0",
                  "PMR 6 rx=446068750 tx=446068750 codes=0/0 bw=0 power=1 scan=1 rep=0",
                  "CUSTOM rx=446068750 tx=446068750 codes=ct1005/ct1005 bw=0 power=1 scan=1 rep=0",
                  "A very l rx=446081250 tx=446081250 codes=40/40 bw=0 power=1 scan=1 rep=0",
              }));
    EXPECT_EQ(channels.at(8), QStringLiteral("HIGH rx=446093750 tx=446093750 codes=0/0 bw=0 power=1 scan=1 rep=0"));
    EXPECT_EQ(channels.at(9), QStringLiteral("WIDE rx=446106250 tx=446106250 codes=0/0 bw=0 power=1 scan=1 rep=0"));

    // Written back as CHIRP writes it, and read again into a fresh radio.
    const QByteArray csv = ExportChirpCsv(m_model);
    const QList<QByteArray> lines = csv.split('\n');
    EXPECT_EQ(lines.at(0), QByteArray(kHeader) + "\r");
    EXPECT_EQ(lines.at(1), "1,TSQL 1,446.006250,,0.000000,TSQL,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,0.5W,,,,,\r");
    EXPECT_EQ(lines.at(3), "3,DCSINV,446.031250,,0.000000,DTCS,88.5,88.5,754,RR,754,Tone->Tone,NFM,6.25,,0.5W,,,,,\r");
    EXPECT_EQ(lines.at(4), "4,CROSS,446.043750,,0.000000,DTCS,88.5,88.5,047,NN,047,Tone->Tone,NFM,6.25,,0.5W,,,,,\r");
    EXPECT_EQ(lines.at(5), "5,PMR 5,446.056250,,0.000000,TSQL,67.0,67.0,023,NN,023,Tone->Tone,NFM,6.25,,0.5W,,,,,\r");
    EXPECT_EQ(lines.at(7), "7,CUSTOM,446.068750,,0.000000,TSQL,100.5,100.5,023,NN,023,Tone->Tone,NFM,6.25,,0.5W,,,,,\r");
    EXPECT_EQ(lines.at(8), "8,A very l,446.081250,,0.000000,DTCS,88.5,88.5,025,NN,025,Tone->Tone,NFM,6.25,,0.5W,,,,,\r");

    CRadioDataModel fresh;
    Load(fresh, TemplateText(QStringLiteral("ZUD11602")));
    const ChirpImportReport again = ImportChirpCsv(fresh, csv);
    EXPECT_EQ(again.imported, again.rows);
    EXPECT_TRUE(again.refused.isEmpty()) << Texts(again.refused).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Channels(fresh), channels);
}

TEST_F(ChirpCsv, EveryTemplateRoundTripsIntoAFreshTemplate)
{
    const QStringList templates =
        QDir(SourceInstall() + QStringLiteral("/profiletemplate")).entryList({QStringLiteral("*.kp2")}, QDir::Files);
    ASSERT_EQ(templates.size(), 13);
    for (const QString &file : templates) {
        const QString model = file.left(file.size() - 4);
        SCOPED_TRACE(model.toStdString());
        LoadTemplate(model);
        const QByteArray csv = ExportChirpCsv(m_model);
        EXPECT_TRUE(csv.endsWith("\r\n"));

        // The fresh template first takes the channels one place on, so that
        // every row of the real import changes its channel (names included).
        CRadioDataModel fresh;
        Load(fresh, TemplateText(model));
        ASSERT_TRUE(ImportChirpCsv(fresh, Rotated(csv)).refused.isEmpty());
        ASSERT_NE(Channels(fresh), Channels(m_model));
        const ChirpImportReport report = ImportChirpCsv(fresh, csv);
        EXPECT_EQ(report.imported, Channels(m_model).size());
        EXPECT_TRUE(report.refused.isEmpty()) << Texts(report.refused).join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(Channels(fresh), Channels(m_model));
        EXPECT_EQ(ExportChirpCsv(fresh), csv);
    }
}

TEST_F(ChirpCsv, RepeaterRowsAddFrequenciesOnALicensedRadio)
{
    LoadTemplate(QStringLiteral("ZVR51622"));
    const QByteArray rows =
        "3,RPT,145.600000,-,0.600000,Tone,123.0,88.5,023,NN,023,Tone->Tone,FM,12.50,,High,,,,,\r\n"
        "6,SPLIT,150.000000,split,155.500000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,S,Low,,,,,\r\n"
        "7,INV,150.100000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,NFM,12.50,,Low,,,,,\r\n"
        "5,CUST,150.200000,,0.000000,TSQL,88.5,100.5,023,NN,023,Tone->Tone,NFM,12.50,,Low,,,,,\r\n"
        "18,MORE,150.300000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,Low,,,,,\r\n";
    const ChirpImportReport report = ImportChirpCsv(m_model, QByteArray(kHeader) + "\n" + rows);
    EXPECT_EQ(report.imported, 2);
    EXPECT_EQ(Texts(report.refused),
              QStringList({
                  // A 122-code radio has no inverted codes: the polarity is named.
                  "Line 4: DCS 023 with inverted polarity (R in DtcsPolarity): this radio has no inverted codes.",
                  "Line 5: The tone 100.5 Hz is not in the code table and no customised tone slot is free.",
              }));
    EXPECT_EQ(report.beyondChannels, 1);
    const QStringList channels = Channels(m_model);
    EXPECT_EQ(channels.at(2), QStringLiteral("RPT rx=145600000 tx=145000000 codes=0/18 bw=1 power=0 scan=1 rep=1"));
    EXPECT_EQ(channels.at(5), QStringLiteral("SPLIT rx=150000000 tx=155500000 codes=0/0 bw=0 power=1 scan=0 rep=1"));
    // Both directions of both rows were added; the refused rows added nothing.
    CDataItem frequencies = Item(QStringLiteral("frequencies"));
    EXPECT_EQ(frequencies.GetChildCount(), 20);
}

TEST(ChirpCsvCli, ImportSavesOnlyWhenARowWasTakenAndExportWritesTheFile)
{
    QTemporaryDir dir;
    const QString profile = dir.filePath(QStringLiteral("radio.kp2"));
    ASSERT_TRUE(QFile::copy(TemplatePath(QStringLiteral("ZUD11602")), profile));
    const QByteArray original = ReadFileBytes(profile);

    const QString bad = dir.filePath(QStringLiteral("bad.csv"));
    ASSERT_TRUE(WriteFileBytes(bad, QByteArray(kHeader) + "\r\n"
                                        + "1,VHF,145.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,Low,,,,,\r\n"));
    CliResult r = RunCli({QStringLiteral("import-csv"), profile, bad});
    EXPECT_EQ(r.exitCode, 1);
    // Refusals on standard error, the result on standard output.
    EXPECT_TRUE(r.err.startsWith("Line 2: Receive frequency 145.500000 MHz")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("No row could be imported")) << r.err.toStdString();
    EXPECT_EQ(r.out, "0 of 1 rows imported.\n");
    EXPECT_EQ(ReadFileBytes(profile), original);

    const QString notCsv = dir.filePath(QStringLiteral("notes.csv"));
    ASSERT_TRUE(WriteFileBytes(notCsv, "Channel;Frequency\n1;446.00625\n"));
    r = RunCli({QStringLiteral("import-csv"), profile, notCsv});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("its first line reads \"Channel;Frequency\"")) << r.err.toStdString();

    const QString good = dir.filePath(QStringLiteral("good.csv"));
    ASSERT_TRUE(WriteFileBytes(good, QByteArray(kHeader) + "\r\n" + kPmrRows));
    r = RunCli({QStringLiteral("import-csv"), profile, good});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The count on standard output; two refused rows, three rows given one
    // code both ways, a name not taken and a name cut, then the two rows
    // taken with what the radio allows, the row beyond the channels and the
    // file order's option, on standard error.
    EXPECT_EQ(r.out, "9 of 12 rows imported.\n");
    EXPECT_EQ(r.err.count('\n'), 11) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Line 6: The name \"TX;ONLY\" was not taken")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Line 6: this channel transmits with its receive settings")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("\n1 row: power set to 0.5 W")) << r.err.toStdString();
    EXPECT_TRUE(r.err.endsWith("import with --in-file-order.\n")) << r.err.toStdString();
    EXPECT_NE(ReadFileBytes(profile), original);

    const QString out = dir.filePath(QStringLiteral("out.csv"));
    r = RunCli({QStringLiteral("export-csv"), profile, out});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray csv = ReadFileBytes(out);
    EXPECT_TRUE(csv.startsWith(QByteArray(kHeader) + "\r\n1,TSQL 1,446.006250,"));
    EXPECT_EQ(csv.count('\n'), 17);
}

TEST(ChirpCsvCli, ImportSpeaksTheLanguageOfItsEnvironmentWithItsDecimalSeparator)
{
    QTemporaryDir dir;
    // The run's environment asks for German; the user's settings store
    // French for the windows, which the run neither follows nor changes.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("config/Vantrel"))));
    ASSERT_TRUE(WriteFileBytes(dir.filePath(QStringLiteral("config/Vantrel/Tavo EMEA CPS.ini")),
                               "[General]\nCurrentLanguage=French\n"));
    const QString profile = dir.filePath(QStringLiteral("radio.kp2"));
    ASSERT_TRUE(QFile::copy(TemplatePath(QStringLiteral("OUD11602")), profile));
    QFile::setPermissions(profile, QFile::ReadOwner | QFile::WriteOwner);
    const QString csv = dir.filePath(QStringLiteral("plan.csv"));
    ASSERT_TRUE(WriteFileBytes(csv, QByteArray(kHeader) + "\n"
                                        + "1,VHF,145.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,,0.5W,,,,,\n"
                                        + "2,WIDE,446.018750,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,50W,,,,,\n"));
    const QByteArray all = qgetenv("LC_ALL");
    qputenv("LC_ALL", "de_DE.UTF-8");
    const CliResult r = RunCli({QStringLiteral("import-csv"), profile, csv});
    qputenv("LC_ALL", all);
    qputenv("XDG_CONFIG_HOME", config);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.out), QStringLiteral("1 von 2 Zeilen importiert.\n"));
    EXPECT_EQ(QString::fromUtf8(r.err),
              QStringLiteral("Zeile 2: Empfangsfrequenz 145,500000 MHz: Ungültige Frequenz: Dieses Funkgerät unterstützt "
                             "diese Frequenz nicht.\n1 Zeile: Bandbreite auf 12,5 kHz, Leistung "
                             "auf 0,5 W gesetzt, da dieses Funkgerät nur diese Werte erlaubt.\n"));
    EXPECT_TRUE(ReadFileBytes(dir.filePath(QStringLiteral("config/Vantrel/Tavo EMEA CPS.ini"))).contains("CurrentLanguage=French"));
}
