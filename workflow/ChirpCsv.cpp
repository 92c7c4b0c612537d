#include "workflow/ChirpCsv.h"

#include "config/SquelchCodes.h"
#include "profile/CRadioDataModel.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/RuleChange.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>

#include <algorithm>
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
        CDataItem limit;
        root.GetChildByName(QStringLiteral("limit"), limit);
        m_maxCodes = limit.GetInt(QStringLiteral("maxCodes"));
        root.GetChildByName(QStringLiteral("setting"), m_setting);
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

QString CsvField(const QString &value)
{
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\n'))
        && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// ---------------------------------------------------------------- profile access

struct Tables {
    CDataItem root, limit, setting, channels, frequencies;
    explicit Tables(const CDataItem &r) : root(r)
    {
        root.GetChildByName(QStringLiteral("limit"), limit);
        root.GetChildByName(QStringLiteral("setting"), setting);
        root.GetChildByName(QStringLiteral("channels"), channels);
        root.GetChildByName(QStringLiteral("frequencies"), frequencies);
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
        return static_cast<quint32>(Frequency(index).GetInt(QStringLiteral("freq")));
    }
    int ChannelsInUse() const { return qMin(setting.GetInt(QStringLiteral("numberChannels")), channels.GetChildCount()); }
    bool LimitFlag(const char *name) const { return limit.GetText(QLatin1String(name)) == QLatin1String("1"); }
};

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
        Refuse(msg::CsvColumnProblem, QStringLiteral("DtcsPolarity"), RuleText(261));
    return DcsPair{p.startsWith(QLatin1Char('R')), p.endsWith(QLatin1Char('R'))};
}

int DcsOf(const CodeSpace &space, const QString &text, bool inverted)
{
    const QString octal = text.trimmed().rightJustified(3, QLatin1Char('0'));
    const std::optional<int> code = space.DcsCode(octal, inverted);
    if (!code)
        Refuse(msg::CsvUnknownDcsCode, text);
    return *code;
}

int ToneOf(const QString &text)
{
    const std::optional<int> tenths = ParseTone(text);
    if (!tenths)
        Refuse(msg::CsvColumnProblem, QStringLiteral("Tone"), RuleText(478));
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
        c.txTenths = c.rxTenths = ToneOf(row["cToneFreq"]);
    } else if (mode == QLatin1String("DTCS")) {
        c.txCode = DcsOf(space, row["DtcsCode"], pol.txInverted);
        c.rxCode = DcsOf(space, row["DtcsCode"], pol.rxInverted);
    } else if (mode == QLatin1String("Cross")) {
        const QString cross = row["CrossMode"];
        const int arrow = cross.indexOf(QLatin1String("->"));
        const QString tx = arrow < 0 ? QString() : cross.left(arrow);
        const QString rx = arrow < 0 ? QString() : cross.mid(arrow + 2);
        if (arrow < 0 || (tx.isEmpty() && rx.isEmpty()))
            Refuse(msg::CsvUnknownToneMode, QStringLiteral("Cross %1").arg(cross));
        if (tx == QLatin1String("Tone"))
            c.txTenths = ToneOf(row["rToneFreq"]);
        else if (tx == QLatin1String("DTCS"))
            c.txCode = DcsOf(space, row["DtcsCode"], pol.txInverted);
        else if (tx.isEmpty())
            c.txCode = 0;
        else
            Refuse(msg::CsvUnknownToneMode, QStringLiteral("Cross %1").arg(cross));
        if (rx == QLatin1String("Tone"))
            c.rxTenths = ToneOf(row["cToneFreq"]);
        else if (rx == QLatin1String("DTCS"))
            c.rxCode = DcsOf(space, row["RxDtcsCode"], pol.rxInverted);
        else if (rx.isEmpty())
            c.rxCode = 0;
        else
            Refuse(msg::CsvUnknownToneMode, QStringLiteral("Cross %1").arg(cross));
    } else {
        Refuse(msg::CsvUnknownToneMode, mode);
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
        Refuse(msg::CsvNoToneSlot, ToneText(tenths));
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
    Refuse(msg::CsvNoToneSlot, ToneText(tenths));
}

// The frequency table position of `hz`, added through the rules when the
// table lacks it. `bandwidth` and `power` are the modes a new entry gets.
int FrequencyIndex(Tables &t, quint32 hz, unsigned bandwidth, unsigned power, int contextId)
{
    for (int i = 0; i < t.frequencies.GetChildCount(); ++i)
        if (t.Hz(i) == hz)
            return i;
    // Outside the radio's range: said as such even when the table is full.
    const quint32 lo = static_cast<quint32>(t.limit.GetInt(QStringLiteral("start_freq")));
    const quint32 hi = static_cast<quint32>(t.limit.GetInt(QStringLiteral("end_freq")));
    if (hz < lo || hz > hi)
        Refuse(contextId, MHz(hz), RuleText(269));
    int msgId = 0, msgStyle = 0;
    if (!t.frequencies.AddFrequency(hz, bandwidth, power, msgId, msgStyle))
        Refuse(contextId, MHz(hz), RuleText(msgId != 0 ? msgId : 269));
    return t.frequencies.GetChildCount() - 1;
}

// Power and bandwidth that a frequency entry's modes fix (0 and 1) must be
// what the row asks for.
void CheckModes(const Tables &t, int index, std::optional<int> bw, std::optional<int> power)
{
    const CDataItem f = t.Frequency(index);
    const int bwMode = f.GetInt(QStringLiteral("bandwidth"));
    const int powerMode = f.GetInt(QStringLiteral("power_level"));
    const QString mhz = MHz(static_cast<quint32>(f.GetInt(QStringLiteral("freq"))));
    if (bw && (bwMode == 0 || bwMode == 1) && *bw != bwMode)
        Refuse(msg::CsvBandwidthFixed, mhz, bwMode == 0 ? QStringLiteral("12.5") : QStringLiteral("25"));
    if (power && (powerMode == 0 || powerMode == 1) && *power != powerMode)
        Refuse(msg::CsvPowerFixed, mhz, powerMode == 0 ? QStringLiteral("High") : QStringLiteral("Low"));
}

struct ImportedRow {
    int line;
    int channel;
    QString name;
};

// Imports one row into the profile; throws RowRefused. `touched` is set
// once the profile may have changed.
ImportedRow ImportRow(CRadioDataModel &model, const Row &row, int line, bool &touched)
{
    Tables t(model.m_rootItem);
    const CodeSpace space(model.m_rootItem);

    bool ok = false;
    const int location = row["Location"].toInt(&ok);
    if (!ok || location < 1)
        Refuse(msg::CsvBadLocation, row["Location"]);
    const int maxChannels = qMin(t.limit.GetInt(QStringLiteral("maxChannels")), 19);
    if (location > maxChannels)
        Refuse(msg::CsvTooManyChannels, QString::number(maxChannels));

    // What the row asks for, checked before anything changes.
    const std::optional<quint32> rx = ParseMHz(row["Frequency"]);
    if (!rx)
        Refuse(msg::CsvBadFrequency, row["Frequency"]);
    quint32 tx = *rx;
    const QString duplex = row["Duplex"];
    if (!duplex.isEmpty()) {
        const std::optional<quint32> offset = ParseMHz(row["Offset"]);
        if (!offset)
            Refuse(msg::CsvBadFrequency, row["Offset"]);
        if (duplex == QLatin1String("+") && quint64(*rx) + *offset <= 0xFFFFFFFFull)
            tx = *rx + *offset;
        else if (duplex == QLatin1String("-") && *offset <= *rx)
            tx = *rx - *offset;
        else if (duplex.compare(QLatin1String("split"), Qt::CaseInsensitive) == 0)
            tx = *offset;
        else
            Refuse(msg::CsvUnsupportedDuplex, duplex);
    }
    std::optional<int> bw;
    const QString mode = row["Mode"];
    if (mode == QLatin1String("NFM"))
        bw = 0;
    else if (mode == QLatin1String("FM"))
        bw = 1;
    else if (!mode.isEmpty())
        Refuse(msg::CsvUnsupportedMode, mode);
    std::optional<int> power; // 0 high, 1 low
    const QString powerText = row["Power"];
    if (!powerText.isEmpty()) {
        const QString p = powerText.toLower();
        bool watts = false;
        const double w = QString(p).remove(QLatin1Char('w')).trimmed().toDouble(&watts);
        if (p == QLatin1String("high"))
            power = 0;
        else if (p == QLatin1String("low"))
            power = 1;
        else if (watts && p.endsWith(QLatin1Char('w')))
            power = w >= 1.0 ? 0 : 1;
        else
            Refuse(msg::CsvUnknownPower, powerText);
    }
    const QString skip = row["Skip"];
    RowCodes codes = CodesOf(row, space);

    // The channel: overwritten, or created with every missing one before it.
    touched = true;
    const int index = location - 1;
    while (t.ChannelsInUse() <= index) {
        CDataItem added;
        if (!t.channels.CanAddChild() || !t.channels.AddNewChild(added))
            Refuse(msg::CsvColumnProblem, QStringLiteral("Location"), LoadString(msg::RuleChannelTableFull));
    }
    CDataItem channel = t.Channel(index);

    // Frequencies: new entries let the channel choose, defaulting to the row.
    const unsigned newBw = bw.value_or(0) == 1 ? 3u : 2u;
    const unsigned newPower = power.value_or(1) == 0 ? 2u : 3u;
    const int rxIndex = FrequencyIndex(t, *rx, newBw, newPower, msg::CsvReceiveFrequency);
    const int txIndex = FrequencyIndex(t, tx, newBw, newPower, msg::CsvTransmitFrequency);
    CheckModes(t, rxIndex, bw, power);
    if (txIndex != rxIndex)
        CheckModes(t, txIndex, bw, power);

    // Tones: slots in use by the other channels stay theirs.
    QSet<int> inUse;
    for (int i = 0; i < t.ChannelsInUse(); ++i) {
        if (i == index)
            continue;
        const CDataItem other = t.Channel(i);
        inUse << other.GetInt(QStringLiteral("rx_code")) << other.GetInt(QStringLiteral("tx_code"));
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
        }, contextId, MHz(hz));
    };
    setFrequency("rx_freq_ndx", rxIndex, *rx, msg::CsvReceiveFrequency);
    setFrequency("tx_freq_ndx", txIndex, tx, msg::CsvTransmitFrequency);
    if (txIndex != rxIndex || !t.LimitFlag("disable_repeater_feature"))
        SetChannelValue(channel, "repeater", QVariant(txIndex != rxIndex ? 1 : 0), QStringLiteral("Duplex"));
    SetChannelValue(channel, "rx_code", QVariant(*codes.rxCode), QStringLiteral("Tone"));
    SetChannelValue(channel, "tx_code", QVariant(*codes.txCode), QStringLiteral("Tone"));
    if (bw) {
        SetChannelValue(channel, "rx_bw", QVariant(*bw), QStringLiteral("Mode"));
        SetChannelValue(channel, "tx_bw", QVariant(*bw), QStringLiteral("Mode"));
    }
    if (power) {
        SetChannelValue(channel, "talkaround_power", QVariant(*power), QStringLiteral("Power"));
        SetChannelValue(channel, "repeater_power", QVariant(*power), QStringLiteral("Power"));
    }
    if (!t.LimitFlag("disable_scan_mode"))
        SetChannelValue(channel, "in_scanlist", QVariant(skip.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0 ? 0 : 1),
                        QStringLiteral("Skip"));
    return ImportedRow{line, index, row["Name"].left(8).trimmed()};
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
            return item.SetAttributeValue(QStringLiteral("name"), QVariant(name), id, answer, msgStyle);
        });
        msgId = r.msgId;
        return r.code == RuleResult::Done;
    };
    for (auto it = last.cbegin(); it != last.cend(); ++it) {
        const QString old = t.Channel(it.key()).GetText(QStringLiteral("name"));
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
        const QString now = t.Channel(it.key()).GetText(QStringLiteral("name"));
        notes.append({r.line, LoadString(msg::CsvNameNotTaken).arg(r.name, why, now)});
    }
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

QString FormatChirpCsvLine(const ChirpCsvLine &line)
{
    return LoadString(msg::CsvLine).arg(line.line).arg(line.text);
}

QByteArray ExportChirpCsv(const CRadioDataModel &model)
{
    const Tables t(model.m_rootItem);
    const CodeSpace space(model.m_rootItem);
    QStringList lines{QLatin1String(kChirpCsvHeader)};
    const bool repeaterFeature = !t.LimitFlag("disable_repeater_feature");
    for (int i = 0; i < t.ChannelsInUse(); ++i) {
        const CDataItem ch = t.Channel(i);
        const std::optional<quint32> rx = t.Hz(ch.GetInt(QStringLiteral("rx_freq_ndx")));
        if (!rx)
            continue; // a channel on no frequency has nothing to tell
        const bool repeater = repeaterFeature && ch.GetText(QStringLiteral("repeater")) == QLatin1String("1");
        quint32 tx = *rx;
        if (repeater)
            tx = t.Hz(ch.GetInt(QStringLiteral("tx_freq_ndx"))).value_or(*rx);
        QString duplex, offset = QStringLiteral("0.000000");
        if (tx > *rx) {
            duplex = QStringLiteral("+");
            offset = MHz(tx - *rx);
        } else if (tx < *rx) {
            duplex = QStringLiteral("-");
            offset = MHz(*rx - tx);
        }
        const ToneColumns tones =
            ToneColumnsOf(space.Decode(ch.GetInt(QStringLiteral("tx_code"))), space.Decode(ch.GetInt(QStringLiteral("rx_code"))));
        const int power = ch.GetInt(repeater ? QStringLiteral("repeater_power") : QStringLiteral("talkaround_power"));
        const QStringList fields{
            QString::number(i + 1),
            CsvField(ch.GetText(QStringLiteral("name"))),
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
            ch.GetText(QStringLiteral("rx_bw")) == QLatin1String("1") ? QStringLiteral("FM") : QStringLiteral("NFM"),
            TuningStep(*rx, tx),
            ch.GetInt(QStringLiteral("in_scanlist")) != 0 ? QString() : QStringLiteral("S"),
            power == 0 ? QStringLiteral("High") : QStringLiteral("Low"),
            QString(), QString(), QString(), QString(), QString(),
        };
        lines.append(fields.join(QLatin1Char(',')));
    }
    return (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toUtf8();
}

ChirpImportReport ImportChirpCsv(CRadioDataModel &model, const QByteArray &csv)
{
    ChirpImportReport report;
    QString text = QString::fromUtf8(csv);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QList<CsvRecord> records = ParseCsv(text);
    if (records.isEmpty())
        return report;
    QHash<QString, int> columns;
    for (int i = 0; i < records.first().fields.size(); ++i)
        columns.insert(records.first().fields.at(i).trimmed(), i);
    if (!columns.contains(QStringLiteral("Location")) || !columns.contains(QStringLiteral("Frequency")))
        return report;
    report.isChirpFile = true;

    QList<ImportedRow> imported;
    for (int r = 1; r < records.size(); ++r) {
        const CsvRecord &record = records.at(r);
        if (std::all_of(record.fields.cbegin(), record.fields.cend(), [](const QString &f) { return f.trimmed().isEmpty(); }))
            continue; // a line of blanks and commas holds no row
        ++report.rows;
        const QString before = model.GetXmlText();
        bool touched = false;
        try {
            imported.append(ImportRow(model, Row(columns, record), record.line, touched));
            ++report.imported;
        } catch (const RowRefused &refused) {
            report.refused.append({record.line, refused.text});
            // Leave the profile as it was before the row.
            if (touched)
                model.LoadProfile(before, 0);
        }
    }
    ApplyNames(model, imported, report.notes);
    return report;
}

} // namespace tavo
