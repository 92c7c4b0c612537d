#include "workflow/ChirpCsv.h"

#include "base/ProfileNames.h"
#include "codeplug/VirtualCP.h"
#include "config/Registry.h"
#include "config/SquelchCodes.h"
#include "profile/CRadioDataModel.h"
#include "profile/ProfileChecks.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/RuleChange.h"
#include "workflow/TransmitPower.h"

#include <QHash>
#include <QRegularExpression>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tavo {

namespace {

// ---------------------------------------------------------------- codes

// One direction's squelch as CHIRP sees it.
struct Squelch {
    enum Kind { None, Tone, Dcs } kind = None;
    int tenths = 0;       // Tone: the tone in tenths of a hertz
    QString dcs;          // Dcs: three octal digits
    bool inverted = false; // Dcs: inverted polarity
};

int TableToneTenths(int code)
{
    // "67.0 Hz", "69.30 Hz": the number before the blank, in tenths.
    const QString label = QString::fromLatin1(SquelchCodeTable()[code].label);
    return qRound(label.section(QLatin1Char(' '), 0, 0).toDouble() * 10.0);
}

bool IsTableTone(int code) { return (code >= 1 && code <= 38) || code == 122; }
bool IsTableDcs(int code) { return (code >= 39 && code <= 121) || code == 123; }

QString TableDcs(int code) { return QString::fromLatin1(SquelchCodeTable()[code].label).mid(4); }

QString ToneText(int tenths) { return QString::asprintf("%d.%d", tenths / 10, tenths % 10); }

// The profile's view of the code space: maxCodes and the customised tones.
class CodeSpace {
public:
    explicit CodeSpace(const CDataItem &root)
    {
        CDataItem limit = root.ChildByName(names::kLimit);
        m_maxCodes = limit.GetInt(names::kMaxCodes);
        m_setting = root.ChildByName(names::kSetting);
    }

    int maxCodes() const { return m_maxCodes; }
    bool HasCustomSlots() const { return m_maxCodes >= kFirstCustomCode - 1; }
    int CustomTenths(int code) const { return m_setting.GetInt(QStringLiteral("CTcode%1").arg(code)); }

    Squelch Decode(int code) const
    {
        Squelch s;
        if (IsTableTone(code)) {
            s.kind = Squelch::Tone;
            s.tenths = TableToneTenths(code);
        } else if (IsTableDcs(code)) {
            s.kind = Squelch::Dcs;
            s.dcs = TableDcs(code);
        } else if (code >= kFirstCustomCode && code <= kLastCustomCode && HasCustomSlots()) {
            s.kind = Squelch::Tone;
            s.tenths = CustomTenths(code);
        } else if (code >= kFirstInvertedCode && code <= m_maxCodes && IsTableDcs(InvertedTwin(code, m_maxCodes))) {
            s.kind = Squelch::Dcs;
            s.dcs = TableDcs(InvertedTwin(code, m_maxCodes));
            s.inverted = true;
        }
        return s;
    }

    // The code of a DCS number with its polarity; nullopt when the table
    // has no such code (an inverted code the radio lacks is left to the
    // rules, which refuse codes above maxCodes).
    std::optional<int> DcsCode(const QString &octal, bool inverted) const
    {
        for (int code = 39; code <= 123; ++code) {
            if (!IsTableDcs(code) || TableDcs(code) != octal)
                continue;
            if (!inverted)
                return code;
            for (int c = kFirstInvertedCode; c <= m_maxCodes; ++c)
                if (InvertedTwin(c, m_maxCodes) == code)
                    return c;
            return m_maxCodes + 1 + code; // beyond the radio: refused by the rules
        }
        return std::nullopt;
    }

private:
    int m_maxCodes = 0;
    CDataItem m_setting;
};

// ---------------------------------------------------------------- numbers

QString MHz(quint32 hz) { return QString::asprintf("%u.%06u", hz / 1000000u, hz % 1000000u); }

// Numbers in a message: with the interface language's decimal separator.
QString Shown(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), GetDecimalSeparator());
}
QString ShownMHz(quint32 hz) { return Shown(hz / 1e6, 6); }
QString ShownTone(int tenths) { return Shown(tenths / 10.0, 1); }
QString ShownWatts(double watts) { return Shown(watts, watts < 10.0 ? 1 : 0) + QStringLiteral(" W"); }
QString ShownKHz(int bandwidth) { return Shown(bandwidth == 0 ? 12.5 : 25.0, 1); }

// "446.006250" -> 446006250; digits beyond the hertz are rounded.
std::optional<quint32> ParseMHz(const QString &text)
{
    const QString t = text.trimmed();
    const int dot = t.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? t : t.left(dot);
    QString fraction = dot < 0 ? QString() : t.mid(dot + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    for (const QChar c : whole + fraction)
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
    if (whole.size() > 4)
        return std::nullopt;
    const bool roundUp = fraction.size() > 6 && fraction.at(6) >= QLatin1Char('5');
    fraction = fraction.left(6).leftJustified(6, QLatin1Char('0'));
    const quint64 hz = whole.toULongLong() * 1000000ull + fraction.toULongLong() + (roundUp ? 1 : 0);
    if (hz > 0xFFFFFFFFull)
        return std::nullopt;
    return static_cast<quint32>(hz);
}

// "88.5" -> 885.
std::optional<int> ParseTone(const QString &text)
{
    bool ok = false;
    const double hz = text.trimmed().toDouble(&ok);
    if (!ok || hz <= 0.0 || hz > 6553.5)
        return std::nullopt;
    return qRound(hz * 10.0);
}

// The tuning step CHIRP is told: the coarsest raster both frequencies sit on.
QString TuningStep(quint32 rx, quint32 tx)
{
    for (const auto &[step, text] : {std::pair<quint32, const char *>{12500, "12.50"}, {6250, "6.25"},
                                     {5000, "5.00"}, {2500, "2.50"}})
        if (rx % step == 0 && tx % step == 0)
            return QLatin1String(text);
    return QStringLiteral("5.00");
}

// A field a spreadsheet program would take for a formula.
bool LooksLikeFormula(const QString &value)
{
    return !value.isEmpty() && QStringLiteral("=+-@").contains(value.at(0));
}
constexpr QChar kTextMark = QLatin1Char('\'');

QString CsvField(const QString &value)
{
    if (LooksLikeFormula(value)) {
        QString quoted = kTextMark + value;
        quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\n'))
        && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// ---------------------------------------------------------------- profile access

struct Tables {
    CDataItem root, limit, setting, channels, frequencies, factory;
    explicit Tables(const CDataItem &r) : root(r)
    {
        factory = root.ChildByName(names::kFactorySetting);
        limit = root.ChildByName(names::kLimit);
        setting = root.ChildByName(names::kSetting);
        channels = root.ChildByName(names::kChannels);
        frequencies = root.ChildByName(names::kFrequencies);
    }
    CDataItem Channel(int i) const
    {
        CDataItem c;
        channels.GetChildByIndex(i, c);
        return c;
    }
    CDataItem Frequency(int i) const
    {
        CDataItem f;
        frequencies.GetChildByIndex(i, f);
        return f;
    }
    std::optional<quint32> Hz(int index) const
    {
        if (index < 0 || index >= frequencies.GetChildCount())
            return std::nullopt;
        return static_cast<quint32>(Frequency(index).GetInt(names::kFreq));
    }
    int ChannelsInUse() const { return qMin(setting.GetInt(names::kNumberChannels), channels.GetChildCount()); }
    bool LimitFlag(const char *name) const { return limit.GetText(QLatin1String(name)) == QLatin1String("1"); }
    PowerLevels Levels() const { return PowerLevelsOf(factory.GetText(names::kModel)); }
    // The channels the import may fill.
    int MaxChannels() const { return qMin(limit.GetInt(names::kMaxChannels), kMaxChannelCount); }
    // What a frequency entry's mode fixes (0 and 1), else nothing.
    std::optional<int> FixedBandwidth(int index) const { return Fixed(index, names::kBandwidth); }
    std::optional<int> FixedPower(int index) const { return Fixed(index, names::kPowerLevel); }

private:
    static constexpr int kMaxChannelCount = 19;
    std::optional<int> Fixed(int index, const char *attribute) const
    {
        if (index < 0 || index >= frequencies.GetChildCount())
            return std::nullopt;
        const int mode = Frequency(index).GetInt(QLatin1String(attribute));
        return mode == 0 || mode == 1 ? std::optional<int>(mode) : std::nullopt;
    }
};

// A radio of the PMR446 region: the region digit of its model (the fourth
// character) is 1, as the rule script reads it.
bool IsPmr446Model(const QString &model)
{
    return model.size() >= 4 && model.at(3) == QLatin1Char('1');
}

// The level a channel transmits with: what the frequency fixes, else the
// channel's own choice.
int TransmitLevel(const Tables &t, int frequencyIndex, int channelLevel)
{
    return t.FixedPower(frequencyIndex).value_or(channelLevel);
}

// ---------------------------------------------------------------- export

struct ToneColumns {
    QString tone, rTone = QStringLiteral("88.5"), cTone = QStringLiteral("88.5"), dtcs = QStringLiteral("023"),
                  polarity = QStringLiteral("NN"), rxDtcs = QStringLiteral("023"), crossMode = QStringLiteral("Tone->Tone");
};

ToneColumns ToneColumnsOf(const Squelch &tx, const Squelch &rx)
{
    ToneColumns c;
    const QChar txPol = tx.inverted ? QLatin1Char('R') : QLatin1Char('N');
    const QChar rxPol = rx.inverted ? QLatin1Char('R') : QLatin1Char('N');
    if (tx.kind == Squelch::None && rx.kind == Squelch::None)
        return c;
    if (tx.kind == Squelch::Tone && rx.kind == Squelch::None) {
        c.tone = QStringLiteral("Tone");
        c.rTone = ToneText(tx.tenths);
        return c;
    }
    if (tx.kind == Squelch::Tone && rx.kind == Squelch::Tone && tx.tenths == rx.tenths) {
        c.tone = QStringLiteral("TSQL");
        c.rTone = c.cTone = ToneText(tx.tenths);
        return c;
    }
    if (tx.kind == Squelch::Dcs && rx.kind == Squelch::Dcs && tx.dcs == rx.dcs) {
        c.tone = QStringLiteral("DTCS");
        c.dtcs = c.rxDtcs = tx.dcs;
        c.polarity = QString(txPol) + rxPol;
        return c;
    }
    // Different codes each way.
    c.tone = QStringLiteral("Cross");
    c.polarity = QString(txPol) + rxPol;
    QString txPart, rxPart;
    if (tx.kind == Squelch::Tone) {
        txPart = QStringLiteral("Tone");
        c.rTone = ToneText(tx.tenths);
    } else if (tx.kind == Squelch::Dcs) {
        txPart = QStringLiteral("DTCS");
        c.dtcs = tx.dcs;
    }
    if (rx.kind == Squelch::Tone) {
        rxPart = QStringLiteral("Tone");
        c.cTone = ToneText(rx.tenths);
    } else if (rx.kind == Squelch::Dcs) {
        rxPart = QStringLiteral("DTCS");
        c.rxDtcs = rx.dcs;
    }
    c.crossMode = txPart + QStringLiteral("->") + rxPart;
    return c;
}

// ---------------------------------------------------------------- import

// Thrown inside one row's import: the row is left out with this text.
struct RowRefused {
    QString text;
};

// Thrown for a row whose location lies beyond the radio's channels: such
// rows are counted and said in one line.
struct BeyondChannels {
    int location;
};

QString Visible(const QString &field) { return VisibleCsvText(field); }

[[noreturn]] void Refuse(int id, const QString &a = QString(), const QString &b = QString())
{
    QString text = LoadString(id);
    if (text.contains(QLatin1String("%1")))
        text = text.arg(a);
    if (text.contains(QLatin1String("%1")) || text.contains(QLatin1String("%2")))
        text = text.arg(b);
    throw RowRefused{text};
}

QString RuleText(int msgId)
{
    const QString text = LoadString(msgId);
    return text.isEmpty() ? LoadString(msg::UnknownError) : text;
}

// One change through the rules; a refusal leaves the row out with the
// rules' message behind `context`.
void Change(const RuleCall &call, int contextId, const QString &context, const QString &context2 = QString())
{
    const RuleResult r = RunRuleChange(call);
    if (r.code == RuleResult::Done)
        return;
    const QString why = RuleText(r.msgId);
    if (contextId == msg::CsvColumnProblem)
        Refuse(contextId, context, why);
    Refuse(contextId, context, context2.isEmpty() ? why : context2);
}

void SetChannelValue(CDataItem &channel, const char *attribute, const QVariant &value, const QString &column)
{
    const QString name = QLatin1String(attribute);
    if (channel.GetText(name) == value.toString())
        return;
    Change([&](int answer, int &msgId, int &msgStyle) { return channel.SetAttributeValue(name, value, msgId, answer, msgStyle); },
           msg::CsvColumnProblem, column);
}

// A CSV row, by column name.
class Row {
public:
    Row(const QHash<QString, int> &columns, const CsvRecord &record) : m_columns(columns), m_record(record) {}
    QString operator[](const char *column) const
    {
        const int i = m_columns.value(QLatin1String(column), -1);
        return i >= 0 && i < m_record.fields.size() ? m_record.fields.at(i).trimmed() : QString();
    }

private:
    const QHash<QString, int> &m_columns;
    const CsvRecord &m_record;
};

struct RowCodes {
    std::optional<int> txTenths, rxTenths; // tones still to be placed
    std::optional<int> txCode, rxCode;     // codes already known
};

struct DcsPair {
    bool txInverted = false, rxInverted = false;
};

DcsPair Polarity(const QString &text)
{
    const QString p = text.toUpper();
    if (!p.isEmpty() && p != QLatin1String("NN") && p != QLatin1String("NR") && p != QLatin1String("RN")
        && p != QLatin1String("RR"))
        Refuse(msg::CsvColumnProblem, QStringLiteral("DtcsPolarity"), RuleText(msg::InvalidValue));
    return DcsPair{p.startsWith(QLatin1Char('R')), p.endsWith(QLatin1Char('R'))};
}

int DcsOf(const CodeSpace &space, const QString &text, bool inverted)
{
    const QString octal = text.trimmed().rightJustified(3, QLatin1Char('0'));
    const std::optional<int> code = space.DcsCode(octal, inverted);
    if (!code) {
        // Three octal digits name a DCS code, only not one this radio has.
        static const QRegularExpression dcs(QStringLiteral("\\A[0-7]{3}\\z"));
        if (dcs.match(octal).hasMatch())
            Refuse(msg::CsvDcsNotOnRadio, octal);
        Refuse(msg::CsvUnknownDcsCode, Visible(text));
    }
    if (inverted && *code > space.maxCodes())
        Refuse(msg::CsvNoInvertedCodes, octal);
    return *code;
}

int ToneOf(const QString &text)
{
    const std::optional<int> tenths = ParseTone(text);
    if (!tenths)
        Refuse(msg::CsvColumnProblem, QStringLiteral("Tone"), RuleText(msg::RuleCtCodeInvalid));
    return *tenths;
}

RowCodes CodesOf(const Row &row, const CodeSpace &space)
{
    RowCodes c;
    const QString mode = row["Tone"];
    const DcsPair pol = Polarity(row["DtcsPolarity"]);
    if (mode.isEmpty()) {
        c.txCode = c.rxCode = 0;
    } else if (mode == QLatin1String("Tone")) {
        c.txTenths = ToneOf(row["rToneFreq"]);
        c.rxCode = 0;
    } else if (mode == QLatin1String("TSQL")) {
        // CHIRP takes rToneFreq for both when cToneFreq is left empty.
        c.txTenths = c.rxTenths = ToneOf(row["cToneFreq"].isEmpty() ? row["rToneFreq"] : row["cToneFreq"]);
    } else if (mode == QLatin1String("DTCS")) {
        c.txCode = DcsOf(space, row["DtcsCode"], pol.txInverted);
        c.rxCode = DcsOf(space, row["DtcsCode"], pol.rxInverted);
    } else if (mode == QLatin1String("Cross")) {
        const QString cross = row["CrossMode"];
        const int arrow = cross.indexOf(QLatin1String("->"));
        const QString tx = arrow < 0 ? QString() : cross.left(arrow);
        const QString rx = arrow < 0 ? QString() : cross.mid(arrow + 2);
        if (arrow < 0 || (tx.isEmpty() && rx.isEmpty()))
            Refuse(msg::CsvUnknownToneMode, QStringLiteral("Cross %1").arg(Visible(cross)));
        if (tx == QLatin1String("Tone"))
            c.txTenths = ToneOf(row["rToneFreq"]);
        else if (tx == QLatin1String("DTCS"))
            c.txCode = DcsOf(space, row["DtcsCode"], pol.txInverted);
        else if (tx.isEmpty())
            c.txCode = 0;
        else
            Refuse(msg::CsvUnknownToneMode, QStringLiteral("Cross %1").arg(Visible(cross)));
        if (rx == QLatin1String("Tone"))
            c.rxTenths = ToneOf(row["cToneFreq"]);
        else if (rx == QLatin1String("DTCS"))
            c.rxCode = DcsOf(space, row["RxDtcsCode"], pol.rxInverted);
        else if (rx.isEmpty())
            c.rxCode = 0;
        else
            Refuse(msg::CsvUnknownToneMode, QStringLiteral("Cross %1").arg(Visible(cross)));
    } else if (mode == QLatin1String("TSQL-R") || mode == QLatin1String("DTCS-R")) {
        Refuse(msg::CsvReverseToneMode, mode);
    } else {
        Refuse(msg::CsvUnknownToneMode, Visible(mode));
    }
    return c;
}

// The code of a tone: the table's code of exactly that tone, a customised
// slot holding it, else a free customised slot set to it through the rules.
int PlaceTone(Tables &t, const CodeSpace &space, int tenths, const QSet<int> &codesInUse)
{
    for (int code = 1; code < kSquelchTableSize; ++code)
        if (IsTableTone(code) && TableToneTenths(code) == tenths)
            return code;
    if (!space.HasCustomSlots())
        Refuse(msg::CsvNoToneSlot, ShownTone(tenths));
    for (int code = kFirstCustomCode; code <= kLastCustomCode; ++code)
        if (space.CustomTenths(code) == tenths)
            return code;
    for (int code = kFirstCustomCode; code <= kLastCustomCode; ++code) {
        if (codesInUse.contains(code))
            continue;
        const QString attribute = QStringLiteral("CTcode%1").arg(code);
        Change([&](int answer, int &msgId, int &msgStyle) {
            return t.setting.SetAttributeValue(attribute, QVariant(tenths), msgId, answer, msgStyle);
        }, msg::CsvColumnProblem, QStringLiteral("Tone"));
        return code;
    }
    Refuse(msg::CsvNoToneSlot, ShownTone(tenths));
}

// A new frequency entry's modes, tried in turn until the rules take one:
// bandwidth selectable with the row's as default; power selectable with
// the row's as default, else fixed to it, else the other level.
constexpr unsigned kPowerModesForHigh[] = {2, 0, 3, 1};
constexpr unsigned kPowerModesForLow[] = {3, 1, 2, 0};

// The frequency table position of `hz`, added through the rules when the
// table lacks it.
int FrequencyIndex(Tables &t, quint32 hz, std::optional<int> bandwidth, int power, int contextId)
{
    for (int i = 0; i < t.frequencies.GetChildCount(); ++i)
        if (t.Hz(i) == hz)
            return i;
    // Outside the radio's range: said as such even when the table is full.
    const quint32 lo = static_cast<quint32>(t.limit.GetInt(names::kStartFreq));
    const quint32 hi = static_cast<quint32>(t.limit.GetInt(names::kEndFreq));
    if (hz < lo || hz > hi)
        Refuse(contextId, ShownMHz(hz), RuleText(msg::FrequencyNotSupportedByRadio));
    const unsigned bandwidthMode = bandwidth.value_or(0) == 1 ? 3u : 2u;
    int firstRefusal = 0;
    for (const unsigned powerMode : power == kPowerHigh ? kPowerModesForHigh : kPowerModesForLow) {
        int msgId = 0, msgStyle = 0;
        if (t.frequencies.AddFrequency(hz, bandwidthMode, powerMode, msgId, msgStyle))
            return t.frequencies.GetChildCount() - 1;
        if (firstRefusal == 0)
            firstRefusal = msgId != 0 ? msgId : 269;
    }
    // A PMR446 radio's table holds the PMR446 channels: a frequency not
    // among them is no channel of the band, whatever the table's room.
    if (firstRefusal == msg::RuleFrequencyTableFull && IsPmr446Model(t.factory.GetText(names::kModel)))
        Refuse(contextId, ShownMHz(hz), LoadString(msg::CsvNotPmr446Channel));
    Refuse(contextId, ShownMHz(hz), RuleText(firstRefusal));
}

// What the Power column asks for.
struct PowerRequest {
    std::optional<int> level; // a word: High or Low
    std::optional<double> watts;
    bool Given() const { return level || watts; }
};

PowerRequest PowerOf(const QString &text)
{
    PowerRequest r;
    if (text.isEmpty())
        return r;
    double watts = 0.0;
    if (text.compare(QLatin1String("High"), Qt::CaseInsensitive) == 0)
        r.level = kPowerHigh;
    else if (text.compare(QLatin1String("Low"), Qt::CaseInsensitive) == 0)
        r.level = kPowerLow;
    else if (ParseWatts(text, watts) || ParseWatts(text + QStringLiteral("W"), watts))
        r.watts = watts; // "5" is 5 W, as CHIRP writes it
    else
        Refuse(msg::CsvUnknownPower, Visible(text));
    return r;
}

// The level nearest to what the row asks for (low when both are as near).
int NearestLevel(const PowerRequest &request, const PowerLevels &levels, int otherwise)
{
    if (request.level)
        return *request.level;
    if (!request.watts)
        return otherwise;
    return std::fabs(*request.watts - levels.highWatts) < std::fabs(*request.watts - levels.lowWatts) ? kPowerHigh
                                                                                                    : kPowerLow;
}

// True when the request names something other than `level`.
bool DiffersFrom(const PowerRequest &request, const PowerLevels &levels, int level)
{
    constexpr double kSameWatts = 1e-3;
    if (request.level)
        return *request.level != level;
    return request.watts && std::fabs(*request.watts - levels.Watts(level)) > kSameWatts;
}

// Where the rows go.
struct Placement {
    ChirpPlacement mode = ChirpPlacement::ByLocation;
    int firstLocation = 1; // ByLocation: the location of channel 1
    int nextChannel = 0;   // InFileOrder: the channel the next row fills
};

struct ImportedRow {
    int line;
    int channel;
    QString name;
    ChirpAdjustment adjusted; // rows = 1 when the row was changed to fit
    QStringList notes;        // what the row became where the radio cannot hold it as asked
    QString fullName;         // the name as the file has it, when longer than a channel name
};

// The longest name a channel holds.
constexpr int kChannelNameLength = 8;

// One side of a row's codes in the row's own terms: "88.5 Hz", "DCS 023 R",
// "No CT/DCS code".
QString CodeWords(const CodeSpace &space, const std::optional<int> &tenths, const std::optional<int> &code)
{
    const Squelch s = tenths ? Squelch{Squelch::Tone, *tenths, QString(), false} : space.Decode(code.value_or(0));
    switch (s.kind) {
    case Squelch::Tone: return ShownTone(s.tenths) + QLatin1Char(' ') + LoadString(msg::CodeLabelHz);
    case Squelch::Dcs: return QStringLiteral("DCS %1 %2").arg(s.dcs, s.inverted ? QStringLiteral("R") : QStringLiteral("N"));
    case Squelch::None: break;
    }
    return LoadString(msg::CodeLabelNoCode);
}

// A channel that transmits with its receive settings sends the one code
// both ways: the receive one, or the transmit tone where the receive side
// is open (CHIRP's "Tone"). The note says what the row became; empty when
// both sides were one code already.
QString OneCodeBothWays(const CodeSpace &space, RowCodes &codes)
{
    const bool same = (codes.txTenths && codes.rxTenths && *codes.txTenths == *codes.rxTenths)
        || (!codes.txTenths && !codes.rxTenths && codes.txCode == codes.rxCode);
    if (same)
        return QString();
    const QString asked = LoadString(msg::CsvTransmitReceiveCodes).arg(CodeWords(space, codes.txTenths, codes.txCode),
                                                                       CodeWords(space, codes.rxTenths, codes.rxCode));
    const bool receiveOpen = !codes.rxTenths && codes.rxCode.value_or(0) == 0;
    if (receiveOpen) {
        codes.rxTenths = codes.txTenths;
        codes.rxCode = codes.txCode;
    } else {
        codes.txTenths = codes.rxTenths;
        codes.txCode = codes.rxCode;
    }
    return LoadString(msg::CsvOneCodeBothWays).arg(asked, CodeWords(space, codes.rxTenths, codes.rxCode));
}

// A name as written by a spreadsheet-safe export: the text mark goes.
QString FullNameOf(const QString &field)
{
    return (field.startsWith(kTextMark) && LooksLikeFormula(field.mid(1)) ? field.mid(1) : field).trimmed();
}

// The name a channel takes: cut to its length.
QString NameOf(const QString &field)
{
    return FullNameOf(field).left(kChannelNameLength).trimmed();
}

// Imports one row into the profile; throws RowRefused. `touched` is set
// once the profile may have changed.
ImportedRow ImportRow(CRadioDataModel &model, const Row &row, int line, const Placement &placement, bool &touched)
{
    Tables t(model.m_rootItem);
    const CodeSpace space(model.m_rootItem);
    const int maxChannels = t.MaxChannels();
    const PowerLevels levels = t.Levels();

    int index = placement.nextChannel;
    if (placement.mode == ChirpPlacement::ByLocation) {
        bool ok = false;
        const int location = row["Location"].toInt(&ok);
        if (!ok || location < placement.firstLocation)
            Refuse(msg::CsvBadLocation, Visible(row["Location"]));
        index = location - placement.firstLocation;
        if (index >= maxChannels)
            throw BeyondChannels{location};
    }

    // What the row asks for, checked before anything changes.
    const std::optional<quint32> rx = ParseMHz(row["Frequency"]);
    if (!rx)
        Refuse(msg::CsvBadFrequency, Visible(row["Frequency"]));
    quint32 tx = *rx;
    const QString duplex = row["Duplex"];
    if (!duplex.isEmpty()) {
        if (row["Offset"].isEmpty())
            Refuse(msg::CsvOffsetMissing, Visible(duplex));
        const std::optional<quint32> offset = ParseMHz(row["Offset"]);
        if (!offset)
            Refuse(msg::CsvBadFrequency, Visible(row["Offset"]));
        if (duplex == QLatin1String("+") && quint64(*rx) + *offset <= 0xFFFFFFFFull)
            tx = *rx + *offset;
        else if (duplex == QLatin1String("-") && *offset <= *rx)
            tx = *rx - *offset;
        else if (duplex.compare(QLatin1String("split"), Qt::CaseInsensitive) == 0)
            tx = *offset;
        else
            Refuse(msg::CsvUnsupportedDuplex, Visible(duplex));
    }
    std::optional<int> bw;
    const QString mode = row["Mode"];
    if (mode == QLatin1String("NFM"))
        bw = 0;
    else if (mode == QLatin1String("FM"))
        bw = 1;
    else if (!mode.isEmpty())
        Refuse(msg::CsvUnsupportedMode, Visible(mode));
    const PowerRequest power = PowerOf(row["Power"]);
    const QString skip = row["Skip"];
    RowCodes codes = CodesOf(row, space);

    // The channel: overwritten, or created with every missing one before it.
    touched = true;
    while (t.ChannelsInUse() <= index) {
        CDataItem added;
        if (!t.channels.CanAddChild() || !t.channels.AddNewChild(added))
            Refuse(msg::CsvColumnProblem, QStringLiteral("Location"), LoadString(msg::RuleChannelTableFull));
    }
    CDataItem channel = t.Channel(index);

    // Frequencies: new entries take the row's bandwidth and power where the
    // rules allow.
    const int wanted = NearestLevel(power, levels, kPowerLow);
    const int rxIndex = FrequencyIndex(t, *rx, bw, wanted, msg::CsvReceiveFrequency);
    const int txIndex = FrequencyIndex(t, tx, bw, wanted, msg::CsvTransmitFrequency);
    const bool repeater = txIndex != rxIndex;
    QStringList notes;
    const bool noRepeaterFeature = t.LimitFlag(names::kDisableRepeaterFeature);
    if (TransmitsWithReceive(noRepeaterFeature, repeater)) {
        const QString oneCode = OneCodeBothWays(space, codes);
        if (!oneCode.isEmpty())
            notes << oneCode;
    }

    // Bandwidth and power as the frequencies allow: where a frequency
    // allows one value only, that value, said once in the summary.
    ChirpAdjustment adjusted;
    const std::optional<int> rxBw = t.FixedBandwidth(rxIndex) ? t.FixedBandwidth(rxIndex) : bw;
    const std::optional<int> txBw = t.FixedBandwidth(txIndex) ? t.FixedBandwidth(txIndex) : bw;
    if (bw && rxBw != bw)
        adjusted.bandwidth = ShownKHz(*rxBw) + QStringLiteral(" kHz");
    else if (bw && txBw != bw)
        adjusted.bandwidth = ShownKHz(*txBw) + QStringLiteral(" kHz");
    const int talkaroundLevel = TransmitLevel(t, rxIndex, wanted);
    const int repeaterLevel = TransmitLevel(t, txIndex, wanted);
    const int sentWith = repeater ? repeaterLevel : talkaroundLevel;
    if (power.Given() && t.FixedPower(repeater ? txIndex : rxIndex) && DiffersFrom(power, levels, sentWith))
        adjusted.power = ShownWatts(levels.Watts(sentWith));
    if (!adjusted.bandwidth.isEmpty() || !adjusted.power.isEmpty())
        adjusted.rows = 1;

    // Tones: slots in use by the other channels stay theirs.
    QSet<int> inUse;
    for (int i = 0; i < t.ChannelsInUse(); ++i) {
        if (i == index)
            continue;
        const CDataItem other = t.Channel(i);
        inUse << other.GetInt(names::kRxCode) << other.GetInt(names::kTxCode);
    }
    if (codes.txTenths)
        codes.txCode = PlaceTone(t, space, *codes.txTenths, inUse);
    inUse << *codes.txCode;
    if (codes.rxTenths)
        codes.rxCode = PlaceTone(t, space, *codes.rxTenths, inUse);

    // The receive side first, then the transmit side and the repeater.
    auto setFrequency = [&](const char *attribute, int position, quint32 hz, int contextId) {
        const QString name = QLatin1String(attribute);
        if (channel.GetInt(name) == position)
            return;
        Change([&](int answer, int &msgId, int &msgStyle) {
            return channel.SetAttributeValue(name, QVariant(position), msgId, answer, msgStyle);
        }, contextId, ShownMHz(hz));
    };
    setFrequency(names::kRxFreqNdx, rxIndex, *rx, msg::CsvReceiveFrequency);
    setFrequency(names::kTxFreqNdx, txIndex, tx, msg::CsvTransmitFrequency);
    if (repeater || !t.LimitFlag(names::kDisableRepeaterFeature))
        SetChannelValue(channel, names::kRepeater, QVariant(repeater ? 1 : 0), QStringLiteral("Duplex"));
    SetChannelValue(channel, names::kRxCode, QVariant(*codes.rxCode), QStringLiteral("Tone"));
    SetChannelValue(channel, names::kTxCode, QVariant(*codes.txCode), QStringLiteral("Tone"));
    if (rxBw)
        SetChannelValue(channel, names::kRxBw, QVariant(*rxBw), QStringLiteral("Mode"));
    if (txBw)
        SetChannelValue(channel, names::kTxBw, QVariant(*txBw), QStringLiteral("Mode"));
    if (power.Given() || t.FixedPower(rxIndex))
        SetChannelValue(channel, names::kTalkaroundPower, QVariant(talkaroundLevel), QStringLiteral("Power"));
    if (power.Given() || t.FixedPower(txIndex))
        SetChannelValue(channel, names::kRepeaterPower, QVariant(repeaterLevel), QStringLiteral("Power"));
    if (!t.LimitFlag(names::kDisableScanMode))
        SetChannelValue(channel, names::kInScanList, QVariant(skip.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0 ? 0 : 1),
                        QStringLiteral("Skip"));
    ImportedRow imported{line, index, NameOf(row["Name"]), adjusted, notes, QString()};
    if (FullNameOf(row["Name"]).size() > kChannelNameLength)
        imported.fullName = FullNameOf(row["Name"]);
    return imported;
}

// Names last, so that names moving between channels do not meet their old
// owners: every renamed channel first takes a name of its own, then the
// names of the file. A name the rules refuse leaves the channel with its
// old name (or, when that is gone meanwhile, the interim one) and a note.
void ApplyNames(CRadioDataModel &model, const QList<ImportedRow> &rows, QList<ChirpCsvLine> &notes)
{
    Tables t(model.m_rootItem);
    QMap<int, ImportedRow> last; // the last row wins for a channel
    for (const ImportedRow &r : rows)
        if (!r.name.isEmpty())
            last.insert(r.channel, r);
    QMap<int, QString> before;
    auto setName = [&](int channel, const QString &name, int &msgId) {
        CDataItem item = t.Channel(channel);
        const RuleResult r = RunRuleChange([&](int answer, int &id, int &msgStyle) {
            return item.SetAttributeValue(names::kName, QVariant(name), id, answer, msgStyle);
        });
        msgId = r.msgId;
        return r.code == RuleResult::Done;
    };
    for (auto it = last.cbegin(); it != last.cend(); ++it) {
        const QString old = t.Channel(it.key()).GetText(names::kName);
        if (old.compare(it->name, Qt::CaseInsensitive) == 0 && old == it->name)
            continue;
        before.insert(it.key(), old);
        int msgId = 0;
        setName(it.key(), QStringLiteral("#CSV%1").arg(it.key() + 1), msgId);
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const ImportedRow &r = last[it.key()];
        int msgId = 0;
        if (setName(it.key(), r.name, msgId))
            continue;
        const QString why = RuleText(msgId);
        int ignored = 0;
        setName(it.key(), it.value(), ignored); // refused: the interim name stays, unique and valid
        const QString now = t.Channel(it.key()).GetText(names::kName);
        notes.append({r.line, LoadString(msg::CsvNameNotTaken).arg(Visible(r.name), why, Visible(now))});
    }
    // A name the channel took only cut to its length: said once for its row.
    for (const ImportedRow &r : last)
        if (!r.fullName.isEmpty() && t.Channel(r.channel).GetText(names::kName) == r.name)
            notes.append({r.line, LoadString(msg::CsvNameCut).arg(Visible(r.fullName), Visible(r.name))});
}

} // namespace

// ---------------------------------------------------------------- CSV text

QList<CsvRecord> ParseCsv(const QString &text)
{
    QList<CsvRecord> records;
    CsvRecord current;
    QString field;
    bool quoted = false, fieldStarted = false, any = false;
    int line = 1;
    current.line = 1;
    auto endField = [&] {
        current.fields.append(field);
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&](int nextLine) {
        if (any || fieldStarted || !field.isEmpty() || !current.fields.isEmpty()) {
            endField();
            records.append(current);
        }
        current = CsvRecord{};
        current.line = nextLine;
        field.clear();
        fieldStarted = any = false;
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('#') && !any && current.fields.isEmpty()) {
            // A comment line: skipped up to its end, as CHIRP does.
            while (i + 1 < text.size() && text.at(i + 1) != QLatin1Char('\n') && text.at(i + 1) != QLatin1Char('\r'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('"') && !fieldStarted && field.isEmpty()) {
            quoted = fieldStarted = any = true;
        } else if (c == QLatin1Char(',')) {
            endField();
            any = true;
        } else if (c == QLatin1Char('\r')) {
            // CR LF, or a lone CR, ends the record
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            ++line;
            endRecord(line);
        } else if (c == QLatin1Char('\n')) {
            ++line;
            endRecord(line);
        } else {
            field += c;
            any = true;
        }
    }
    endRecord(line);
    return records;
}

QString VisibleCsvText(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (const QChar c : field) {
        const ushort u = c.unicode();
        if (u >= 0x20 && u != 0x7F) {
            out += c;
            continue;
        }
        switch (u) {
        case 0: out += QLatin1String("\\0"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0')); break;
        }
    }
    return out;
}

QString ChirpNotChirpText(const ChirpImportReport &report)
{
    if (report.headerLine.trimmed().isEmpty())
        return LoadString(msg::CsvNotChirpFile);
    constexpr int kShownLength = 80;
    QString shown = VisibleCsvText(report.headerLine.trimmed());
    if (shown.size() > kShownLength)
        shown = shown.left(kShownLength) + QStringLiteral("...");
    return LoadString(msg::CsvHeaderFound).arg(shown);
}

QString FormatChirpCsvLine(const ChirpCsvLine &line)
{
    return LoadString(msg::CsvLine).arg(line.line).arg(line.text);
}

QByteArray ExportChirpCsv(const CRadioDataModel &model, QStringList *lost)
{
    const Tables t(model.m_rootItem);
    const CodeSpace space(model.m_rootItem);
    QStringList lines{QLatin1String(kChirpCsvHeader)};
    const PowerLevels levels = t.Levels();
    const CDataItem &root = model.m_rootItem;
    for (int i = 0; i < t.ChannelsInUse(); ++i) {
        const CDataItem ch = t.Channel(i);
        const std::optional<quint32> rx = t.Hz(ch.GetInt(names::kRxFreqNdx));
        if (!rx)
            continue; // a channel on no frequency has nothing to tell
        // What the radio sends: a channel in talkaround, or on a radio with
        // one code per channel, transmits with its receive settings.
        const bool repeater = !TransmitsWithReceive(root, ch);
        const quint32 tx = t.Hz(EffectiveTransmitValue(root, ch, names::kTxFreqNdx)).value_or(*rx);
        QString duplex, offset = QStringLiteral("0.000000");
        if (tx > *rx) {
            duplex = QStringLiteral("+");
            offset = MHz(tx - *rx);
        } else if (tx < *rx) {
            duplex = QStringLiteral("-");
            offset = MHz(*rx - tx);
        }
        const ToneColumns tones =
            ToneColumnsOf(space.Decode(EffectiveTransmitValue(root, ch, names::kTxCode)), space.Decode(ch.GetInt(names::kRxCode)));
        // The power the channel transmits with: a frequency that allows one
        // level only decides, whatever the channel stores.
        const int power = TransmitLevel(t, ch.GetInt(repeater ? names::kTxFreqNdx : names::kRxFreqNdx),
                                        ch.GetInt(repeater ? names::kRepeaterPower : names::kTalkaroundPower));
        const QStringList fields{
            QString::number(i + 1),
            CsvField(ch.GetText(names::kName)),
            MHz(*rx),
            duplex,
            offset,
            tones.tone,
            tones.rTone,
            tones.cTone,
            tones.dtcs,
            tones.polarity,
            tones.rxDtcs,
            tones.crossMode,
            ch.GetText(names::kRxBw) == QLatin1String("1") ? QStringLiteral("FM") : QStringLiteral("NFM"),
            TuningStep(*rx, tx),
            ch.GetInt(names::kInScanList) != 0 ? QString() : QStringLiteral("S"),
            WattsText(levels.Watts(power)),
            QString(), QString(), QString(), QString(), QString(),
        };
        lines.append(fields.join(QLatin1Char(',')));
        // One mode a row: a repeater channel that transmits with another
        // bandwidth than it receives with loses the transmit one. (A
        // channel in talkaround transmits with its receive settings.)
        if (lost && repeater && ch.GetText(names::kTxBw) != ch.GetText(names::kRxBw))
            lost->append(LoadString(msg::CsvBandwidthNotKept)
                             .arg(i + 1)
                             .arg(Visible(ch.GetText(names::kName)), fields.at(12),
                                  ShownKHz(ch.GetInt(names::kTxBw))));
    }
    return (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8();
}

ChirpImportReport ImportChirpCsv(CRadioDataModel &model, const QByteArray &csv, ChirpPlacement placement)
{
    ChirpImportReport report;
    QString text = QString::fromUtf8(csv);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QList<CsvRecord> records = ParseCsv(text);
    if (records.isEmpty())
        return report;
    report.headerLine = text.section(QLatin1Char('\n'), records.first().line - 1, records.first().line - 1).remove(QLatin1Char('\r'));
    QHash<QString, int> columns;
    for (int i = 0; i < records.first().fields.size(); ++i)
        columns.insert(records.first().fields.at(i).trimmed(), i);
    if (!columns.contains(QStringLiteral("Location")) || !columns.contains(QStringLiteral("Frequency")))
        return report;
    report.isChirpFile = true;

    auto isBlank = [](const CsvRecord &record) {
        return std::all_of(record.fields.cbegin(), record.fields.cend(), [](const QString &f) { return f.trimmed().isEmpty(); });
    };
    Placement place;
    place.mode = placement;
    if (placement == ChirpPlacement::ByLocation) {
        // A file that uses location 0 counts its locations from 0.
        for (int r = 1; r < records.size() && place.firstLocation == 1; ++r) {
            bool ok = false;
            if (Row(columns, records.at(r))["Location"].toInt(&ok) == 0 && ok)
                place.firstLocation = 0;
        }
        report.fromLocationZero = place.firstLocation == 0;
    }
    const int maxChannels = Tables(model.m_rootItem).MaxChannels();
    report.channels = maxChannels;

    QList<ImportedRow> imported;
    QHash<int, int> filledBy; // by location: channel -> the position in `imported` of the row that filled it
    for (int r = 1; r < records.size(); ++r) {
        const CsvRecord &record = records.at(r);
        if (isBlank(record))
            continue; // a line of blanks and commas holds no row
        ++report.rows;
        if (placement == ChirpPlacement::InFileOrder && place.nextChannel >= maxChannels) {
            ++report.leftOver;
            continue;
        }
        const QString before = model.GetXmlText();
        bool touched = false;
        try {
            const ImportedRow row = ImportRow(model, Row(columns, record), record.line, place, touched);
            ++report.imported;
            ++place.nextChannel;
            // A location given twice: the later row replaces the earlier one,
            // which then no longer counts as imported.
            if (const auto earlier = filledBy.constFind(row.channel); earlier != filledBy.cend()) {
                ImportedRow &replaced = imported[*earlier];
                report.notes.append({row.line, LoadString(msg::CsvDuplicateLocation)
                                                   .arg(row.channel + place.firstLocation)
                                                   .arg(replaced.line)});
                replaced.channel = -1;
                --report.imported;
                ++report.replaced;
            }
            filledBy.insert(row.channel, imported.size());
            imported.append(row);
        } catch (const RowRefused &refused) {
            report.refused.append({record.line, refused.text});
            // Leave the profile as it was before the row.
            if (touched)
                model.LoadProfile(before, 0);
        } catch (const BeyondChannels &beyond) {
            report.firstBeyond = report.beyondChannels == 0 ? beyond.location : qMin(report.firstBeyond, beyond.location);
            report.lastBeyond = qMax(report.lastBeyond, beyond.location);
            ++report.beyondChannels;
        }
    }
    // Rows replaced by a later one of the same location keep nothing.
    imported.erase(std::remove_if(imported.begin(), imported.end(), [](const ImportedRow &r) { return r.channel < 0; }),
                   imported.end());
    for (const ImportedRow &row : imported) {
        for (const QString &note : row.notes)
            report.notes.append({row.line, note});
        if (row.adjusted.rows == 0)
            continue;
        auto same = std::find_if(report.adjusted.begin(), report.adjusted.end(), [&](const ChirpAdjustment &a) {
            return a.bandwidth == row.adjusted.bandwidth && a.power == row.adjusted.power;
        });
        if (same == report.adjusted.end())
            report.adjusted.append(row.adjusted);
        else
            ++same->rows;
    }
    ApplyNames(model, imported, report.notes);
    return report;
}

QStringList ChirpImportSummary(const ChirpImportReport &report)
{
    QStringList lines{LoadString(msg::CsvRowsImported).arg(report.imported).arg(report.rows)};
    if (report.fromLocationZero)
        lines << LoadString(msg::CsvLocationsFromZero);
    for (const ChirpAdjustment &a : report.adjusted) {
        const QString rows = a.rows == 1 ? LoadString(msg::CsvOneRow) : LoadString(msg::CsvRows).arg(a.rows);
        if (!a.bandwidth.isEmpty() && !a.power.isEmpty())
            lines << LoadString(msg::CsvBandwidthAndPowerSet).arg(rows, a.bandwidth, a.power);
        else if (!a.bandwidth.isEmpty())
            lines << LoadString(msg::CsvBandwidthSet).arg(rows, a.bandwidth);
        else
            lines << LoadString(msg::CsvPowerSet).arg(rows, a.power);
    }
    if (report.beyondChannels > 0)
        lines << LoadString(msg::CsvBeyondChannels)
                     .arg(report.channels)
                     .arg(report.beyondChannels)
                     .arg(report.firstBeyond)
                     .arg(report.lastBeyond);
    if (report.leftOver == 1)
        lines << LoadString(msg::CsvOneLeftForLackOfChannels).arg(report.channels);
    else if (report.leftOver > 1)
        lines << LoadString(msg::CsvLeftForLackOfChannels).arg(report.leftOver).arg(report.channels);
    return lines;
}

} // namespace tavo
