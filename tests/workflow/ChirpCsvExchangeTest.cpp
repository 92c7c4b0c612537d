// Channel plans that the other tool opens, and its own lists that our
// radios take. The other tool is not run here: the rules its reader applies
// to each column are stated below, and every template's export is held to
// them; its lists are written here by hand in its form (locations of its
// own numbering, its defaults Mode=FM and Power=50W, # comment lines).

#include "profile/model_fixture.h"

#include "workflow/ChirpCsv.h"
#include "ChirpCsvLines.h"
#include "workflow/TransmitPower.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

using namespace tavo;
using namespace tavo::test;

namespace {

const char kHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// ---- what the other tool's reader accepts, column by column

bool Matches(const char *pattern, const QString &value)
{
    return QRegularExpression(QStringLiteral("\\A(?:%1)\\z").arg(QLatin1String(pattern))).match(value).hasMatch();
}

// The tuning steps it knows, in kHz.
const double kTuningSteps[] = {2.5, 5.0, 6.25, 8.33, 9.0, 10.0, 12.5, 15.0, 20.0, 25.0, 30.0, 50.0, 100.0, 125.0, 200.0};
// The DCS codes it knows (the standard 104).
const int kDcsCodes[] = {23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115,
                         116, 122, 125, 131, 132, 134, 143, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223,
                         225, 226, 243, 244, 245, 246, 251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315,
                         325, 331, 332, 343, 346, 351, 356, 364, 365, 371, 411, 412, 413, 423, 431, 432, 445, 446,
                         452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526, 532, 546, 565, 606, 612, 624,
                         627, 631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};

// The reasons a row breaks the reader's rules; empty when it follows them.
QStringList ColumnProblems(const QStringList &f)
{
    QStringList problems;
    auto check = [&](bool ok, const char *column) {
        if (!ok)
            problems << QLatin1String(column);
    };
    if (f.size() != 21)
        return {QStringLiteral("21 fields")};
    check(Matches("\\d+", f[0]), "Location");
    check(Matches("\\d{1,4}\\.\\d{6}", f[2]), "Frequency (MHz, six decimals)");
    check(Matches("|\\+|-|split|off", f[3]), "Duplex");
    check(Matches("\\d+\\.\\d{6}", f[4]), "Offset");
    check(Matches("|Tone|TSQL|DTCS|DTCS-R|TSQL-R|Cross", f[5]), "Tone");
    check(Matches("\\d{2,4}\\.\\d", f[6]), "rToneFreq");
    check(Matches("\\d{2,4}\\.\\d", f[7]), "cToneFreq");
    for (int i : {8, 10}) {
        const bool octal = Matches("[0-7]{3}", f[i]);
        check(octal && std::find(std::begin(kDcsCodes), std::end(kDcsCodes), f[i].toInt()) != std::end(kDcsCodes),
              i == 8 ? "DtcsCode" : "RxDtcsCode");
    }
    check(Matches("[NR]{2}", f[9]), "DtcsPolarity");
    check(Matches("Tone->Tone|Tone->DTCS|DTCS->Tone|DTCS->|->Tone|->DTCS|DTCS->DTCS|Tone->", f[11]), "CrossMode");
    check(Matches("FM|NFM|WFM|AM|NAM|DV|USB|LSB|CW|RTTY|DIG|PKT|NCW|NCWR|CWR|P25|Auto|RTTYR|FSK|FSKR|DMR|DN", f[12]),
          "Mode");
    bool stepOk = false;
    const double step = f[13].toDouble(&stepOk);
    check(stepOk && std::any_of(std::begin(kTuningSteps), std::end(kTuningSteps), [&](double s) { return std::fabs(s - step) < 1e-9; }),
          "TStep");
    check(Matches("|S|P", f[14]), "Skip");
    check(Matches("\\d+(?:\\.\\d+)?W", f[15]), "Power (watts with unit)");
    return problems;
}

// Each channel in use as a CSV row carries it, with the power the channel
// transmits with (what its frequency fixes, else its own) and tones
// resolved, so that two profiles compare by meaning.
QStringList Channels(const CRadioDataModel &model)
{
    CDataItem channels, frequencies, setting;
    model.m_rootItem.GetChildByName(QStringLiteral("channels"), channels);
    model.m_rootItem.GetChildByName(QStringLiteral("frequencies"), frequencies);
    model.m_rootItem.GetChildByName(QStringLiteral("setting"), setting);
    auto frequency = [&](int index) {
        CDataItem f;
        frequencies.GetChildByIndex(index, f);
        return f;
    };
    auto code = [&](int c) {
        return c >= 124 && c <= 129 ? QStringLiteral("ct%1").arg(setting.GetText(QStringLiteral("CTcode%1").arg(c)))
                                    : QString::number(c);
    };
    QStringList out;
    for (int i = 0; i < setting.GetInt(QStringLiteral("numberChannels")); ++i) {
        CDataItem ch;
        channels.GetChildByIndex(i, ch);
        const bool repeater = ch.GetText(QStringLiteral("repeater")) == QLatin1String("1");
        const CDataItem rx = frequency(ch.GetInt(QStringLiteral("rx_freq_ndx")));
        const CDataItem tx = repeater ? frequency(ch.GetInt(QStringLiteral("tx_freq_ndx"))) : rx;
        const int mode = tx.GetInt(QStringLiteral("power_level"));
        const int power = mode == 0 || mode == 1 ? mode
                                                 : ch.GetInt(repeater ? QStringLiteral("repeater_power") : QStringLiteral("talkaround_power"));
        out << QStringLiteral("%1 rx=%2 tx=%3 codes=%4/%5 bw=%6 power=%7 scan=%8")
                   .arg(ch.GetText(QStringLiteral("name")), rx.GetText(QStringLiteral("freq")), tx.GetText(QStringLiteral("freq")),
                        code(ch.GetInt(QStringLiteral("rx_code"))), code(ch.GetInt(QStringLiteral("tx_code"))),
                        ch.GetText(QStringLiteral("rx_bw")), QString::number(power), ch.GetText(QStringLiteral("in_scanlist")));
    }
    return out;
}

QStringList Templates()
{
    QStringList models;
    for (const QString &file :
         QDir(SourceInstall() + QStringLiteral("/profiletemplate")).entryList({QStringLiteral("*.kp2")}, QDir::Files))
        models << file.left(file.size() - 4);
    return models;
}

// PMR446 channel n (1-16) in MHz, as the other tool's list writes it.
QByteArray PmrMHz(int n)
{
    const quint32 hz = 446006250u + quint32(n - 1) * 12500u;
    return QString::asprintf("%u.%06u", hz / 1000000u, hz % 1000000u).toLatin1();
}

// A row as the other tool writes a fresh memory: Mode=FM, Power=50W.
QByteArray DefaultRow(int location, const QByteArray &name, const QByteArray &mhz, const QByteArray &mode = "FM")
{
    return QByteArray::number(location) + ',' + name + ',' + mhz + ",,0.000000,,88.5,88.5,023,NN,023,Tone->Tone," + mode
           + ",12.50,,50W,,,,,\r\n";
}

// The other tool's "EU LPD and PMR" layout: PMR 1-8 at locations 71-78,
// PMR 9-16 at 81-88, comment lines before the header and between rows, a
// row out of the band and one in a mode the radio lacks.
QByteArray EuStyleList(int extraRows = 0)
{
    QByteArray csv = "# Channels for the shop radios\r\n" + QByteArray(kHeader) + "\r\n";
    for (int n = 1; n <= 8; ++n)
        csv += DefaultRow(70 + n, "PMR" + QByteArray::number(n), PmrMHz(n));
    csv += "# second half\r\n";
    csv += DefaultRow(79, "LPD1", "433.075000");
    csv += DefaultRow(80, "AMPMR", PmrMHz(1), "AM");
    for (int n = 9; n <= 16 + extraRows; ++n)
        csv += DefaultRow(72 + n, "PMR" + QByteArray::number(n), n <= 16 ? PmrMHz(n) : PmrMHz(n - 16));
    return csv;
}

class ChirpExchange : public ModelTest {};

} // namespace

// Readable failures for lists of texts.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

TEST_F(ChirpExchange, EveryTemplatesExportFollowsTheReadersColumnRules)
{
    const QStringList models = Templates();
    ASSERT_EQ(models.size(), 13);
    for (const QString &model : models) {
        SCOPED_TRACE(model.toStdString());
        LoadTemplate(model);
        const QList<CsvRecord> records = ParseCsv(QString::fromUtf8(ExportChirpCsv(m_model)));
        ASSERT_GT(records.size(), 1);
        EXPECT_EQ(records.first().fields.join(QLatin1Char(',')), QLatin1String(kHeader));
        const PowerLevels levels = PowerLevelsOf(model);
        for (int r = 1; r < records.size(); ++r) {
            const QStringList fields = records.at(r).fields;
            EXPECT_EQ(ColumnProblems(fields), QStringList()) << fields.join(QLatin1Char(',')).toStdString();
            // Power is one of the model's two levels; a PMR446 radio's is 0.5 W.
            EXPECT_TRUE(fields.value(15) == WattsText(levels.lowWatts) || fields.value(15) == WattsText(levels.highWatts));
            if (model.at(3) == QLatin1Char('1'))
                EXPECT_EQ(fields.value(15), QStringLiteral("0.5W"));
        }
    }
    // The table states which figures are placeholders.
    EXPECT_FALSE(PowerLevelsOf(QStringLiteral("OUD11602")).nominal);
    EXPECT_TRUE(PowerLevelsOf(QStringLiteral("ZVR51622")).nominal);
    EXPECT_EQ(WattsText(50.0), QStringLiteral("50W"));
    EXPECT_EQ(WattsText(5.0), QStringLiteral("5.0W"));
}

TEST_F(ChirpExchange, WattsAndTheOldWordsTakeTheNearestLevelTheChannelAllows)
{
    // A licensed radio, selectable power: 1 W low, 2 W high (nominal).
    LoadTemplate(QStringLiteral("ZVR51622"));
    const QByteArray rows = "1,A,150.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,5.0W,,,,,\r\n"
                            "2,B,150.100000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,1.2W,,,,,\r\n"
                            "3,C,150.200000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,500mW,,,,,\r\n"
                            "4,D,150.300000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,High,,,,,\r\n"
                            "5,E,150.400000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,low,,,,,\r\n"
                            "6,F,150.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,12.50,,5 watts,,,,,\r\n";
    const ChirpImportReport report = ImportChirpCsv(m_model, QByteArray(kHeader) + "\r\n" + rows);
    EXPECT_EQ(report.imported, 5);
    EXPECT_EQ(Texts(report.refused), QStringList({"Line 7: Unknown power \"5 watts\"."}));
    EXPECT_TRUE(report.adjusted.isEmpty());
    const QStringList channels = Channels(m_model);
    for (const auto &[channel, power] : {std::pair{0, 0}, {1, 1}, {2, 1}, {3, 0}, {4, 1}})
        EXPECT_TRUE(channels.at(channel).endsWith(QStringLiteral("power=%1 scan=1").arg(power))) << channels.at(channel).toStdString();
    const QList<QByteArray> lines = ExportChirpCsv(m_model).split('\n');
    EXPECT_TRUE(lines.at(1).contains(",2.0W,")) << lines.at(1).constData();
    EXPECT_TRUE(lines.at(2).contains(",1.0W,")) << lines.at(2).constData();
}

TEST_F(ChirpExchange, TheOtherToolsPmrListFillsTheChannelsInFileOrder)
{
    LoadTemplate(QStringLiteral("OUD11602"));
    // By location (the default) the list's numbering is beyond the radio.
    CRadioDataModel byLocation;
    Load(byLocation, TemplateText(QStringLiteral("OUD11602")));
    const ChirpImportReport refused = ImportChirpCsv(byLocation, EuStyleList());
    ASSERT_TRUE(refused.isChirpFile);
    EXPECT_EQ(refused.rows, 18); // comment lines are no rows
    EXPECT_EQ(refused.imported, 0);
    // Left out for their locations alone: one line, not one a row.
    EXPECT_TRUE(refused.refused.isEmpty()) << Texts(refused.refused).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(refused.beyondChannels, 18);
    EXPECT_EQ(ChirpImportSummary(refused).last(),
              QStringLiteral("Rows left out because their locations lie beyond the radio's 16 channels: 18 (locations %1 to %2).")
                  .arg(refused.firstBeyond)
                  .arg(refused.lastBeyond));

    const ChirpImportReport report = ImportChirpCsv(m_model, EuStyleList(), ChirpPlacement::InFileOrder);
    EXPECT_EQ(report.rows, 18);
    EXPECT_EQ(report.imported, 16);
    EXPECT_EQ(report.leftOver, 0);
    EXPECT_EQ(Texts(report.refused),
              QStringList({"Line 12: Receive frequency 433.075000 MHz: Invalid frequency: This frequency is not "
                           "supported by this radio.",
                           "Line 13: The mode \"AM\" is not supported: the radio works with FM and NFM."}));
    EXPECT_EQ(ChirpImportSummary(report),
              QStringList({"16 of 18 rows imported.",
                           "16 rows: bandwidth set to 12.5 kHz, power to 0.5 W, as this radio allows only these."}));
    const QStringList channels = Channels(m_model);
    ASSERT_EQ(channels.size(), 16);
    for (int n = 1; n <= 16; ++n)
        EXPECT_EQ(channels.at(n - 1),
                  QStringLiteral("PMR%1 rx=%2 tx=%2 codes=0/0 bw=0 power=1 scan=1").arg(n).arg(446006250 + (n - 1) * 12500));

    // More rows than channels: the rest is counted, not refused.
    CRadioDataModel full;
    Load(full, TemplateText(QStringLiteral("OUD11602")));
    const ChirpImportReport more = ImportChirpCsv(full, EuStyleList(2), ChirpPlacement::InFileOrder);
    EXPECT_EQ(more.imported, 16);
    EXPECT_EQ(more.leftOver, 2);
    EXPECT_EQ(ChirpImportSummary(more).last(), QStringLiteral("2 rows were left out: the radio has only 16 channels."));
}

TEST_F(ChirpExchange, AFileThatUsesLocationZeroCountsFromZero)
{
    LoadTemplate(QStringLiteral("OUD11602"));
    QByteArray csv = QByteArray(kHeader) + "\n";
    for (int location = 0; location < 3; ++location)
        csv += QByteArray::number(location) + ",Z" + QByteArray::number(location) + "," + PmrMHz(location + 5)
               + ",,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,0.5W,,,,,\n";
    csv += "\n,,,,\n# the end\n";
    const ChirpImportReport report = ImportChirpCsv(m_model, csv);
    EXPECT_EQ(report.imported, 3);
    EXPECT_TRUE(report.refused.isEmpty()) << Texts(report.refused).join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(report.adjusted.isEmpty()); // what the file asks for is what the radio does
    EXPECT_EQ(ChirpImportSummary(report),
              QStringList({"3 of 3 rows imported.", "The file counts its locations from 0: location N went to channel N + 1."}));
    const QStringList channels = Channels(m_model);
    EXPECT_TRUE(channels.at(0).startsWith(QStringLiteral("Z0 rx=446056250"))) << channels.at(0).toStdString();
    EXPECT_TRUE(channels.at(2).startsWith(QStringLiteral("Z2 rx=446081250"))) << channels.at(2).toStdString();

    // A file from 1 is read as before.
    EXPECT_FALSE(ImportChirpCsv(m_model, ExportChirpCsv(m_model)).fromLocationZero);
}

TEST_F(ChirpExchange, EveryTemplateAndTheDemonstrationRadioImportTheirOwnExport)
{
    QList<std::pair<QString, QString>> profiles;
    for (const QString &model : Templates())
        profiles.append({model, TemplateText(model)});
    // Read from a radio: channels store the high level on frequencies that
    // allow the low one only.
    profiles.append({QStringLiteral("demonstration radio"), ReadAll(QStringLiteral(TAVO_TEST_DATA_DIR "/demo-OUD11602.xml"))});
    for (const auto &[name, text] : profiles) {
        SCOPED_TRACE(name.toStdString());
        CRadioDataModel original;
        Load(original, text);
        const QByteArray csv = ExportChirpCsv(original);
        CRadioDataModel copy;
        Load(copy, text);
        const ChirpImportReport report = ImportChirpCsv(copy, csv);
        EXPECT_EQ(report.imported, report.rows);
        EXPECT_EQ(Texts(report.refused), QStringList());
        EXPECT_EQ(Texts(report.notes), QStringList());
        EXPECT_TRUE(report.adjusted.isEmpty());
        EXPECT_EQ(Channels(copy), Channels(original));
        EXPECT_EQ(ExportChirpCsv(copy), csv);
    }
}

TEST_F(ChirpExchange, NamesASpreadsheetWouldTakeForFormulasAreWrittenAsText)
{
    LoadTemplate(QStringLiteral("ZVR51622"));
    const QStringList names{QStringLiteral("=1+2"), QStringLiteral("+CALL"), QStringLiteral("-ONE"), QStringLiteral("@HOME")};
    QStringList taken;
    for (int i = 0; i < names.size(); ++i)
        if (Set(QStringLiteral("channels/channel[%1]").arg(i + 1), "name", names.at(i)).result == 0)
            taken << names.at(i);
    ASSERT_FALSE(taken.isEmpty()) << "the rules take none of the names";
    const QByteArray csv = ExportChirpCsv(m_model);
    for (const QString &name : taken)
        EXPECT_TRUE(csv.contains(",\"'" + name.toUtf8() + "\",")) << name.toStdString() << "\n" << csv.constData();

    CRadioDataModel copy;
    Load(copy, TemplateText(QStringLiteral("ZVR51622")));
    const ChirpImportReport report = ImportChirpCsv(copy, csv);
    EXPECT_TRUE(report.notes.isEmpty()) << Texts(report.notes).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(Channels(copy), Channels(m_model));
    // A quote mark before anything else stays.
    EXPECT_EQ(ParseCsv(QStringLiteral("\"'=x\",'y\n")).first().fields, QStringList({"'=x", "'y"}));
}
