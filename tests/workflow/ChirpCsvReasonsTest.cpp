// What a CHIRP file could not bring across is said with its real cause:
// each reason from a hand-made file, rows beyond the radio's channels in one
// line (and taken in file order), duplicate locations, cut names, control
// characters in a message, and the export's channels that lose their
// transmit bandwidth.

#include "profile/model_fixture.h"

#include "workflow/ChirpCsv.h"
#include "ChirpCsvLines.h"
#include "workflow/RuleChange.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <algorithm>

using namespace tavo;
using namespace tavo::test;

namespace {

// A row with every column; only the ones a case is about change.
struct RowSpec {
    QString location = QStringLiteral("1");
    QString name = QStringLiteral("CH");
    QString frequency = QStringLiteral("446.006250");
    QString duplex, offset = QStringLiteral("0.000000");
    QString tone, rTone = QStringLiteral("88.5"), cTone = QStringLiteral("88.5");
    QString dtcs = QStringLiteral("023"), polarity = QStringLiteral("NN"), rxDtcs = QStringLiteral("023");
    QString cross = QStringLiteral("Tone->Tone"), mode = QStringLiteral("NFM"), power = QStringLiteral("0.5W");
};

QByteArray Line(const RowSpec &r)
{
    return QStringList{r.location, r.name, r.frequency, r.duplex, r.offset, r.tone, r.rTone, r.cTone, r.dtcs,
                       r.polarity, r.rxDtcs, r.cross, r.mode, QStringLiteral("6.25"), QString(), r.power,
                       QString(), QString(), QString(), QString(), QString()}
               .join(QLatin1Char(','))
               .toUtf8()
        + "\r\n";
}

QByteArray File(const QList<RowSpec> &rows)
{
    QByteArray csv = QByteArray(kChirpCsvHeader) + "\r\n";
    for (const RowSpec &r : rows)
        csv += Line(r);
    return csv;
}

class ChirpCsvReasons : public ModelTest {
protected:
    CDataItem Channel(int index) const
    {
        CDataItem c;
        Item(QStringLiteral("channels")).GetChildByIndex(index, c);
        return c;
    }
    // The one refusal of a file of one row.
    QString RefusalOf(const RowSpec &row)
    {
        const ChirpImportReport report = ImportChirpCsv(m_model, File({row}));
        EXPECT_EQ(report.imported, 0);
        return report.refused.size() == 1 ? FormatChirpCsvLine(report.refused.first()) : Texts(report.refused).join(QLatin1Char('|'));
    }
};

} // namespace

// A list made for other radios (locations 71 to 88) into a PMR446 radio:
// one line says why nothing came, and the file order takes the rows.
TEST_F(ChirpCsvReasons, RowsBeyondTheChannelsAreSaidOnceAndFileOrderTakesThem)
{
    LoadTemplate(QStringLiteral("PUD11602"));
    QList<RowSpec> rows;
    for (int i = 0; i < 18; ++i) {
        RowSpec r;
        r.location = QString::number(71 + i);
        r.name = QStringLiteral("PMR%1").arg(i % 16 + 1);
        r.frequency = QString::asprintf("446.%06d", 6250 + (i % 16) * 12500);
        rows << r;
    }
    const QByteArray csv = File(rows);
    ChirpImportReport report = ImportChirpCsv(m_model, csv);
    EXPECT_EQ(report.imported, 0);
    EXPECT_TRUE(report.refused.isEmpty()) << Texts(report.refused).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(report.beyondChannels, 18);
    EXPECT_EQ(ChirpImportSummary(report),
              QStringList({"0 of 18 rows imported.",
                           "Rows left out because their locations lie beyond the radio's 16 channels: 18 (locations 71 to 88)."}));

    report = ImportChirpCsv(m_model, csv, ChirpPlacement::InFileOrder);
    EXPECT_EQ(report.imported, 16);
    EXPECT_EQ(report.leftOver, 2);
    EXPECT_EQ(report.beyondChannels, 0);
    EXPECT_EQ(Channel(15).GetText(QStringLiteral("name")), QStringLiteral("PMR16"));
}

// CHIRP's own conventions are taken as CHIRP means them.
TEST_F(ChirpCsvReasons, ChirpConventionsAreTaken)
{
    LoadTemplate(QStringLiteral("ZVR51622"));
    // TSQL with cToneFreq left empty: CHIRP takes rToneFreq both ways
    // (100.0 Hz is code 12). Power "5" is 5 W, as "5W" is.
    RowSpec tsql;
    tsql.frequency = QStringLiteral("150.100000");
    tsql.tone = QStringLiteral("TSQL");
    tsql.rTone = QStringLiteral("100.0");
    tsql.cTone.clear();
    tsql.power = QStringLiteral("5");
    RowSpec watts = tsql;
    watts.location = QStringLiteral("2");
    watts.power = QStringLiteral("5W");
    const ChirpImportReport report = ImportChirpCsv(m_model, File({tsql, watts}));
    EXPECT_TRUE(report.refused.isEmpty()) << Texts(report.refused).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(report.imported, 2);
    EXPECT_EQ(Channel(0).GetText(QStringLiteral("rx_code")), QStringLiteral("12"));
    EXPECT_EQ(Channel(0).GetText(QStringLiteral("tx_code")), QStringLiteral("12"));
    EXPECT_EQ(Channel(0).GetText(QStringLiteral("talkaround_power")), Channel(1).GetText(QStringLiteral("talkaround_power")));
}

// Each row the radio cannot hold names what in it cannot be held.
TEST_F(ChirpCsvReasons, EachRefusalNamesItsCause)
{
    LoadTemplate(QStringLiteral("PUD11602"));
    RowSpec reverse;
    reverse.tone = QStringLiteral("TSQL-R");
    EXPECT_EQ(RefusalOf(reverse), QStringLiteral("Line 2: The tone mode \"TSQL-R\" (CHIRP's reverse mode) is not supported by this radio."));
    reverse.tone = QStringLiteral("DTCS-R");
    EXPECT_EQ(RefusalOf(reverse), QStringLiteral("Line 2: The tone mode \"DTCS-R\" (CHIRP's reverse mode) is not supported by this radio."));

    // A standard DCS code the radio's table lacks, and a text that is no code.
    RowSpec dcs;
    dcs.tone = QStringLiteral("DTCS");
    dcs.dtcs = dcs.rxDtcs = QStringLiteral("036");
    EXPECT_EQ(RefusalOf(dcs), QStringLiteral("Line 2: The DCS code 036 is not one of this radio's codes."));
    dcs.dtcs = dcs.rxDtcs = QStringLiteral("0x9");
    EXPECT_EQ(RefusalOf(dcs), QStringLiteral("Line 2: Unknown DCS code \"0x9\"."));

    RowSpec offset;
    offset.duplex = QStringLiteral("+");
    offset.offset.clear();
    EXPECT_EQ(RefusalOf(offset), QStringLiteral("Line 2: Duplex \"+\" needs the frequency offset in the Offset column, which is empty."));

    // 446.000 MHz lies in the band's range but is no PMR446 channel.
    RowSpec off;
    off.frequency = QStringLiteral("446.000000");
    EXPECT_EQ(RefusalOf(off), QStringLiteral("Line 2: Receive frequency 446.000000 MHz: not a PMR446 channel."));

    // A control character from the file is shown, not let end the text.
    RowSpec nul;
    nul.mode = QStringLiteral("N") + QChar(0) + QStringLiteral("FM");
    const QString text = RefusalOf(nul);
    EXPECT_EQ(text, QStringLiteral("Line 2: The mode \"N\\0FM\" is not supported: the radio works with FM and NFM."));
    EXPECT_FALSE(text.toUtf8().contains('\0'));
}

TEST_F(ChirpCsvReasons, AFileThatIsNotChirpsSaysWhatItsFirstLineHolds)
{
    LoadTemplate(QStringLiteral("PUD11602"));
    for (const QByteArray &header : {QByteArray("Location;Name;Frequency;Duplex"), QByteArray("location,name,frequency,duplex")}) {
        const ChirpImportReport report = ImportChirpCsv(m_model, header + "\r\n1,A,446.006250,\r\n");
        EXPECT_FALSE(report.isChirpFile);
        EXPECT_EQ(ChirpNotChirpText(report),
                  QStringLiteral("This is not a CHIRP CSV file: its first line reads \"%1\"; a CHIRP file names its columns "
                                 "Location, Name, Frequency and so on, with capitals, separated by commas.")
                      .arg(QString::fromLatin1(header)));
    }
    EXPECT_EQ(ChirpNotChirpText(ImportChirpCsv(m_model, QByteArray())), LoadString(msg::CsvNotChirpFile));
}

// A location given twice keeps the later row and counts one; a name longer
// than a channel's is cut and said, once for its row.
TEST_F(ChirpCsvReasons, DuplicateLocationsAndCutNamesAreSaidOncePerRow)
{
    LoadTemplate(QStringLiteral("PUD11602"));
    RowSpec first;
    first.name = QStringLiteral("FIRST");
    RowSpec second = first;
    second.name = QStringLiteral("ELT Training");
    second.frequency = QStringLiteral("446.018750");
    RowSpec other;
    other.location = QStringLiteral("2");
    other.name = QStringLiteral("OTHER");
    const ChirpImportReport report = ImportChirpCsv(m_model, File({first, second, other}));
    EXPECT_EQ(report.rows, 3);
    EXPECT_EQ(report.imported, 2);
    QList<ChirpCsvLine> notes = report.notes;
    std::stable_sort(notes.begin(), notes.end(), [](const ChirpCsvLine &a, const ChirpCsvLine &b) { return a.line < b.line; });
    EXPECT_EQ(Texts(notes), QStringList({"Line 3: Location 1 was given already on line 2: this row replaced it.",
                                         "Line 3: The name \"ELT Training\" was cut to \"ELT Trai\" (8 characters)."}));
    EXPECT_EQ(Channel(0).GetText(QStringLiteral("name")), QStringLiteral("ELT Trai"));
    EXPECT_EQ(Channel(1).GetText(QStringLiteral("name")), QStringLiteral("OTHER"));
}

// A row holds one mode: the export names a repeater channel that transmits
// with another bandwidth than it receives with.
TEST_F(ChirpCsvReasons, ExportNamesChannelsThatLoseTheirTransmitBandwidth)
{
    LoadTemplate(QStringLiteral("ZVR51622"));
    RowSpec repeater;
    repeater.name = QStringLiteral("RPT");
    repeater.frequency = QStringLiteral("145.600000");
    repeater.duplex = QStringLiteral("-");
    repeater.offset = QStringLiteral("0.600000");
    ASSERT_EQ(ImportChirpCsv(m_model, File({repeater})).imported, 1);
    QStringList lost;
    ExportChirpCsv(m_model, &lost);
    EXPECT_TRUE(lost.isEmpty()) << lost.join(QLatin1Char('\n')).toStdString();

    CDataItem channel = Channel(0);
    const RuleResult r = RunRuleChange([&](int answer, int &msgId, int &msgStyle) {
        return channel.SetAttributeValue(QStringLiteral("tx_bw"), QVariant(1), msgId, answer, msgStyle);
    });
    ASSERT_EQ(r.code, RuleResult::Done) << r.msgId;
    const QByteArray csv = ExportChirpCsv(m_model, &lost);
    EXPECT_TRUE(csv.contains(",RPT,145.600000,-,0.600000,")) << csv.toStdString();
    EXPECT_EQ(lost, QStringList({"Channel 1 (RPT): a CHIRP row holds one mode, so it is written as NFM and its "
                                 "transmit bandwidth of 25.0 kHz is not kept."}));
}
