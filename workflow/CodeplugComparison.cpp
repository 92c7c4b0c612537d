#include "workflow/CodeplugComparison.h"

#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "base/CodePage.h"
#include "config/PageRows.h"
#include "config/Registry.h"
#include "config/SettingDocuments.h"
#include "config/SquelchCodes.h"
#include "profile/CDataAdaptor.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace tavo {

namespace {

using V = VirtualCP;
using C = ChannelSlot;
using F = FrequencySlot;

// How a field's stored value is read and shown.
enum class Show {
    Number,       // the profile's number as it stands
    Flag,         // ON / OFF (only 1 is on)
    Text,         // fixed-width characters in the code page
    Secret,       // characters compared but shown as stars (the password)
    LowHigh,      // 0 low, 1 high
    Bandwidth,    // 0 12.5, 1 25 (kHz)
    Scramble,     // off, scramble codes 1-3
    Battery,      // alkaline, nickel / lithium-ion
    Code,         // a squelch code, labelled as in the channel lists
    FrequencyRef, // a position in the frequency table, shown as its MHz
    ChannelRef,   // a channel slot, shown as the channel's number
    Button,       // a button function code, named by the button list
    Tenths,       // a customised tone in 0.1 Hz
    BandwidthMode, // a frequency's bandwidth mode (only / selectable)
    PowerMode,    // a frequency's power mode
    PageList,     // an entry of the page's list for `attribute` (the page's rows)
};

// One field of a record: the name's id, where it is and how it is shown.
struct Field {
    int nameId;
    size_t offset;
    size_t width; // 0: button table entry number `offset`
    Show show;
    const char *attribute = nullptr; // PageList: the page row's attribute
};

// The general settings, the buttons and the presets, in the pages' order.
const Field kSettingFields[] = {
    {msg::ChangePassword, V::kPasswordOffset, V::kPasswordWidth, Show::Secret},
    {msg::ChangePowerUpText, V::kPowerupTextOffset, V::kPowerupTextWidth, Show::Text},
    {msg::ChangeChannelsInUse, V::kNumberChannelsOffset, 1, Show::Number},
    {msg::ChangeDisableLed, V::kDisableLEDOffset, 1, Show::Flag},
    {msg::ChangeKeypadLock, V::kKeypadLockOffset, 1, Show::Flag},
    {msg::ChangeDisableRestoreDefault, V::kDisableRestoreFactoryDefaultOffset, 1, Show::Flag},
    {msg::ChangeBacklight, V::kBacklightEnabledOffset, 1, Show::Flag},
    {msg::ChangeBacklightTimeout, V::kBacklightTimeoutOffset, 1, Show::Number},
    {msg::ChangeTimeoutTimer, V::kTimeoutTimerOffset, 1, Show::PageList, names::kTimeoutTimer},
    {msg::ChangeCallTone, V::kCallToneOffset, 1, Show::Number},
    {msg::ChangeReverseBurst, V::kReverseBurstOffset, 1, Show::Flag},
    {msg::ChangeBatteryType, V::kBatteryTypeOffset, 1, Show::Battery},
    {msg::ChangeDisableBatterySave, V::kDisableBatterySaveOffset, 1, Show::Flag},
    {msg::ChangeDisableSelectableScramble, V::kDisableSelectableScrambleOffset, 1, Show::Flag},
    {msg::ChangeMicrophoneGain, V::kMicrophoneGainOffset, 1, Show::PageList, names::kMicrophoneGain},
    {msg::ChangeAccessoryMicrophoneGain, V::kAccessoryMicrophoneGainOffset, 1, Show::PageList, names::kAccessoryMicrophoneGain},
    {msg::ChangeVoxLevel, V::kVoxLevelOffset, 1, Show::PageList, names::kVoxLevel},
    {msg::ChangeIvoxLevel, V::kIvolLevelOffset, 1, Show::PageList, names::kIvolLevel},
    {msg::ChangeRogerBeepTone, V::kRogerBeepToneOffset, 1, Show::Flag},
    {msg::ChangeKeypadBeep, V::kKeypadBeepOffset, 1, Show::Flag},
    // The one user setting the profile keeps on its limits.
    {msg::ChangeProgrammingMode, V::kProgrammingModeEnabledOffset, 1, Show::Flag},
    // The five programmable buttons by their table entries, as the
    // converter maps them.
    {msg::LabelSideButton1, 6, 0, Show::Button},
    {msg::LabelSideButton2, 11, 0, Show::Button},
    {msg::LabelButtonA, 5, 0, Show::Button},
    {msg::LabelButtonB, 8, 0, Show::Button},
    {msg::LabelButtonC, 9, 0, Show::Button},
    {msg::LabelPreset1Channel, V::kPreset1ChannelOffset, 1, Show::ChannelRef},
    {msg::LabelPreset2Channel, V::kPreset2ChannelOffset, 1, Show::ChannelRef},
};

// One channel's fields, in the channel page's order (the scan-list bit and
// the name are handled beside them: the bit lives outside the slot).
const Field kChannelFields[] = {
    {msg::ChangeChannelName, C::kNameOffset, C::kNameWidth, Show::Text},
    {msg::ChangeChannelRxFrequency, C::kRxFreqNdxOffset, 1, Show::FrequencyRef},
    {msg::ChangeChannelRxTone, C::kRxCodeOffset, 1, Show::Code},
    {msg::ChangeChannelRxBandwidth, C::kRxBwOffset, 1, Show::Bandwidth},
    {msg::ChangeChannelTalkaroundPower, C::kTalkaroundPowerOffset, 1, Show::LowHigh},
    {msg::ChangeChannelTxFrequency, C::kTxFreqNdxOffset, 1, Show::FrequencyRef},
    {msg::ChangeChannelTxTone, C::kTxCodeOffset, 1, Show::Code},
    {msg::ChangeChannelTxBandwidth, C::kTxBwOffset, 1, Show::Bandwidth},
    {msg::ChangeChannelRepeaterPower, C::kRepeaterPowerOffset, 1, Show::LowHigh},
    {msg::ChangeChannelRepeater, C::kRepeaterOffset, 1, Show::Flag},
    {msg::ChangeChannelAutoScan, C::kAutoScanOffset, 1, Show::Flag},
    {msg::ChangeChannelScramble, C::kScrambleCodeOffset, 1, Show::Scramble},
};

// A frequency's fields besides the frequency itself.
const Field kFrequencyFields[] = {
    {msg::ChangeFrequencyBandwidth, F::kBandwidthOffset, 1, Show::BandwidthMode},
    {msg::ChangeFrequencyPower, F::kPowerLevelOffset, 1, Show::PowerMode},
    {msg::ChangeFrequencyCompander, F::kCompanderModeOffset, 1, Show::Flag},
};

// Texts of small value lists, by stored value.
const int kLowHighTexts[] = {msg::TextLow, msg::TextHigh};
const int kBandwidthTexts[] = {msg::TextBandwidthNarrow, msg::TextBandwidthWide};
const int kScrambleTexts[] = {msg::TextScrambleOff, msg::TextScrambleOff + 1, msg::TextScrambleOff + 2, msg::TextScrambleOff + 3};
const int kBatteryTexts[] = {msg::TextAlkaline, msg::TextNickelLiIon};
// A frequency's modes, as the frequency page lists them: 0 and 1 one value
// only, 2 and 3 selectable with a default.
const int kBandwidthModeTexts[] = {386, 387, 289, 290};
const int kBandwidthModeWidths[] = {msg::TextBandwidthNarrow, msg::TextBandwidthWide, msg::TextBandwidthNarrow, msg::TextBandwidthWide};
const int kPowerModeTexts[] = {389, 388, 295, 294};

// A value as the page's list shows it: the entry of the page row for
// `attribute` at the value's position; a value the list lacks as itself.
QString PageListText(const char *attribute, uint32_t value)
{
    for (const std::vector<PageRow> *rows : {&SettingsPageRows(), &AudioSettingsPageRows()})
        for (const PageRow &row : *rows) {
            if (!row.attribute || std::strcmp(row.attribute, attribute) != 0 || row.items.empty())
                continue;
            const int scale = row.scale > 0 ? row.scale : 1;
            const bool fits = row.scale >= 0 && value % static_cast<uint32_t>(scale) == 0;
            const size_t position = value / static_cast<uint32_t>(scale);
            if (fits && position < row.items.size())
                return LoadString(row.items[position]);
        }
    return QString::number(value);
}

template <size_t N>
QString ListText(const int (&texts)[N], uint32_t value)
{
    return value < N ? LoadString(texts[value]) : QString::number(value);
}

QString WithSeparator(QString text, const QString &separator)
{
    text.replace(QLatin1Char('.'), separator);
    return text;
}

QString MegahertzText(uint32_t hz, const QString &separator)
{
    return WithSeparator(QString::asprintf("%.6f", hz * 1e-6), separator);
}

// Characters up to the field's width or its first zero.
QByteArray TextBytes(const uint8_t *field, size_t width)
{
    const auto *end = std::find(field, field + width, uint8_t(0));
    return QByteArray(reinterpret_cast<const char *>(field), static_cast<int>(end - field));
}

QString ModelText(const VirtualCP &cp)
{
    QString text = QString::fromLatin1(TextBytes(cp.ModelLettersBytes(), V::kModelLettersWidth));
    for (size_t i = 0; i < V::kModelDigitsWidth; ++i)
        text += QString::number(cp.ModelDigitsBytes()[i]);
    return text;
}

QString InstalledButtonName(const QString &model, uint32_t code)
{
    SettingDocuments &docs = AppSettingDocuments();
    if (!docs.IsLoaded())
        return QString();
    try {
        for (const QString &group : {QString::fromLatin1(kGroupCommon), SettingDocuments::DisplayGroupName(model),
                                     QString::fromLatin1(kGroupPreButton)})
            for (const ButtonFeature &feature : docs.GetButtonFeatures(model, group))
                if (feature.m_nValue == static_cast<int>(code))
                    return feature.m_strName;
    } catch (const CTavoCPSException &) {
        // A model the button list does not know: its codes are shown.
    }
    return QString();
}

// One side of the comparison: an image and what its values need to be
// shown (its frequencies, its customised tones, its model).
class Side {
public:
    Side(const VirtualCP &cp, const CodeplugComparisonOptions &options, const QString &separator)
        : m_cp(cp), m_options(options), m_separator(separator), m_model(ModelText(cp))
    {
    }

    const VirtualCP &Image() const { return m_cp; }

    uint32_t Frequency(size_t slot) const { return SynthToHz(m_cp.Frequency(slot), m_cp.SynthBase()); }
    size_t FrequencyCount() const { return m_cp.UsedFrequencySlots(); }
    size_t ChannelCount() const { return std::min<size_t>(m_cp.NumberChannels(), m_cp.UsedChannelSlots()); }

    // The stored value of a field of `record` (bytes of the image or of one
    // of its slots), comparable between the sides.
    QByteArray Raw(const uint8_t *record, const Field &field) const
    {
        if (field.show == Show::Text || field.show == Show::Secret)
            return TextBytes(record + field.offset, field.width);
        return QByteArray::number(Number(record, field));
    }

    QString Shown(const uint8_t *record, const Field &field) const
    {
        if (field.show == Show::Text || field.show == Show::Secret) {
            const QString text = FromAnsi(TextBytes(record + field.offset, field.width));
            // No password at all is said so, not shown as nothing.
            if (field.show == Show::Secret && text.isEmpty())
                return LoadString(msg::TextNone);
            return field.show == Show::Text ? text : QString(text.size(), QLatin1Char('*'));
        }
        const uint32_t value = Number(record, field);
        switch (field.show) {
        case Show::Number: return QString::number(value);
        case Show::Flag: return LoadString(value == 1 ? msg::TextOn : msg::TextOff);
        case Show::Text:
        case Show::Secret: break; // above
        case Show::LowHigh: return ListText(kLowHighTexts, value);
        case Show::Bandwidth: return WithSeparator(ListText(kBandwidthTexts, value), m_separator);
        case Show::Scramble: return ListText(kScrambleTexts, value);
        case Show::Battery: return ListText(kBatteryTexts, value);
        case Show::Code: return CodeText(static_cast<int>(value));
        case Show::FrequencyRef:
            return value < FrequencyCount() ? MegahertzText(Frequency(value), m_separator) : QString::number(value + 1);
        case Show::ChannelRef: return QString::number(value + 1);
        case Show::Button: {
            const QString name = m_options.buttonName ? m_options.buttonName(m_model, value) : InstalledButtonName(m_model, value);
            return name.isEmpty() ? QString::number(value) : name;
        }
        case Show::Tenths: return WithSeparator(QString::asprintf("%.1f ", value * 0.1), m_separator) + LoadString(msg::CodeLabelHz);
        case Show::BandwidthMode:
            return value < std::size(kBandwidthModeTexts)
                       ? LoadString(kBandwidthModeTexts[value])
                             .replace(QLatin1String("%s"), WithSeparator(LoadString(kBandwidthModeWidths[value]), m_separator))
                       : QString::number(value);
        case Show::PowerMode: return ListText(kPowerModeTexts, value);
        case Show::PageList: return PageListText(field.attribute, value);
        }
        return QString::number(value);
    }

private:
    uint32_t Number(const uint8_t *record, const Field &field) const
    {
        return field.width == 0 ? m_cp.ButtonEntry(field.offset) : GetLE(record + field.offset, field.width);
    }

    // The label of the channel lists without the code's number in front:
    // "67.0 Hz", "DCS 023".
    QString CodeText(int code) const
    {
        const auto tone = [this](const QString &attribute) {
            const int index = attribute.mid(6).toInt() - static_cast<int>(V::kFirstCustomCode);
            return index >= 0 && index < static_cast<int>(V::kCustomToneCount) ? QString::number(m_cp.CustomTone(static_cast<size_t>(index)))
                                                                                  : QString();
        };
        return CodeLabelText(code, static_cast<int>(m_cp.MaxCodes()), tone, m_separator);
    }

    const VirtualCP &m_cp;
    const CodeplugComparisonOptions &m_options;
    QString m_separator;
    QString m_model;
};

QString Formatted(int id, const QStringList &args)
{
    QString text = LoadString(id);
    // Placeholders are replaced from the highest down, so that an argument
    // holding "%1" is never replaced again.
    for (int i = static_cast<int>(args.size()); i >= 1; --i)
        text.replace(QStringLiteral("%%1").arg(i), args[i - 1]);
    return text;
}

// A transmit field that takes its receive twin's value where the channel
// transmits with its receive settings.
bool FollowsReceive(const Field &field)
{
    return std::any_of(kTransmitFollowsReceive.begin(), kTransmitFollowsReceive.end(),
                       [&field](const FollowedTransmitField &f) { return f.txOffset == field.offset; });
}

class Comparison {
public:
    Comparison(const Side &before, const Side &after, const QString &separator) : m_before(before), m_after(after), m_separator(separator) {}

    std::vector<CodeplugChange> Run()
    {
        for (const Field &field : kSettingFields)
            CompareField(LoadString(field.nameId), m_before.Image().bytes.data(), m_after.Image().bytes.data(), field);
        if (HasCustomTones(m_before.Image()) || HasCustomTones(m_after.Image()))
            for (size_t i = 0; i < V::kCustomToneCount; ++i) {
                const Field tone{0, V::kCustomToneOffset + 2 * i, 2, Show::Tenths};
                CompareField(Formatted(msg::ChangeCustomTone, {QString::number(V::kFirstCustomCode + i)}), m_before.Image().bytes.data(),
                             m_after.Image().bytes.data(), tone);
            }
        CompareChannels();
        CompareFrequencies();
        return std::move(m_changes);
    }

private:
    static bool HasCustomTones(const VirtualCP &cp) { return cp.MaxCodes() >= V::kCustomTonesFromMaxCodes; }

    void Add(const QString &field, const QString &before, const QString &after, int lineId = msg::ChangeLine)
    {
        m_changes.push_back({field, before, after, Formatted(lineId, {field, before, after})});
    }

    void AddLine(int lineId, const QString &number, const QString &value)
    {
        m_changes.push_back({QString(), QString(), QString(), Formatted(lineId, {number, value})});
    }

    void CompareField(const QString &name, const uint8_t *before, const uint8_t *after, const Field &field)
    {
        const QByteArray rawBefore = m_before.Raw(before, field), rawAfter = m_after.Raw(after, field);
        if (rawBefore == rawAfter)
            return;
        QString shownBefore = m_before.Shown(before, field), shownAfter = m_after.Shown(after, field);
        // Two stored values that show as one text are told apart by what is stored.
        if (shownBefore == shownAfter && field.show != Show::Secret && field.show != Show::Text) {
            shownBefore += QStringLiteral(" (%1)").arg(QString::fromLatin1(rawBefore));
            shownAfter += QStringLiteral(" (%1)").arg(QString::fromLatin1(rawAfter));
        }
        Add(name, shownBefore, shownAfter);
    }

    void CompareChannels()
    {
        const size_t common = std::min(m_before.ChannelCount(), m_after.ChannelCount());
        const Field nameField = kChannelFields[0];
        for (size_t j = 0; j < std::max(m_before.ChannelCount(), m_after.ChannelCount()); ++j) {
            const QString number = QString::number(j + 1);
            // Each channel as the radio uses it: where it transmits with its
            // receive settings, its stored transmit values change nothing,
            // and where it does so on both sides the receive lines say it all.
            const ChannelSlot a = EffectiveChannel(m_before.Image(), j), b = EffectiveChannel(m_after.Image(), j);
            const bool bothFollow = TransmitsWithReceive(m_before.Image(), m_before.Image().Channel(j))
                && TransmitsWithReceive(m_after.Image(), m_after.Image().Channel(j));
            if (j >= common) {
                const bool added = j >= m_before.ChannelCount();
                AddLine(added ? msg::ChangeChannelAdded : msg::ChangeChannelRemoved, number,
                        added ? m_after.Shown(b.bytes.data(), nameField) : m_before.Shown(a.bytes.data(), nameField));
                continue;
            }
            for (const Field &field : kChannelFields)
                if (!(bothFollow && FollowsReceive(field)))
                    CompareField(Formatted(msg::ChangeChannelField, {number, LoadString(field.nameId)}), a.bytes.data(), b.bytes.data(), field);
            const bool inBefore = m_before.Image().ScanListBit(j), inAfter = m_after.Image().ScanListBit(j);
            if (inBefore != inAfter)
                Add(Formatted(msg::ChangeChannelField, {number, LoadString(msg::ChangeChannelScanList)}),
                    LoadString(inBefore ? msg::TextOn : msg::TextOff), LoadString(inAfter ? msg::TextOn : msg::TextOff));
        }
    }

    void CompareFrequencies()
    {
        const size_t common = std::min(m_before.FrequencyCount(), m_after.FrequencyCount());
        const QString &separator = m_separator;
        for (size_t s = 0; s < std::max(m_before.FrequencyCount(), m_after.FrequencyCount()); ++s) {
            const QString number = QString::number(s + 1);
            if (s >= common) {
                const bool added = s >= m_before.FrequencyCount();
                AddLine(added ? msg::ChangeFrequencyAdded : msg::ChangeFrequencyRemoved, number,
                        MegahertzText(added ? m_after.Frequency(s) : m_before.Frequency(s), separator));
                continue;
            }
            if (m_before.Frequency(s) != m_after.Frequency(s)) {
                const QString name = Formatted(msg::ChangeFrequencyField, {number, QString()}).trimmed();
                const QString from = MegahertzText(m_before.Frequency(s), separator), to = MegahertzText(m_after.Frequency(s), separator);
                m_changes.push_back({name, from, to, Formatted(msg::ChangeFrequencyLine, {number, from, to})});
            }
            const FrequencySlot a = m_before.Image().Frequency(s), b = m_after.Image().Frequency(s);
            for (const Field &field : kFrequencyFields)
                CompareField(Formatted(msg::ChangeFrequencyField, {number, LoadString(field.nameId)}), a.bytes.data(), b.bytes.data(), field);
        }
    }

    const Side &m_before;
    const Side &m_after;
    QString m_separator;
    std::vector<CodeplugChange> m_changes;
};

} // namespace

std::vector<CodeplugChange> CompareCodeplugs(const VirtualCP &before, const VirtualCP &after, const CodeplugComparisonOptions &options)
{
    const QString separator = options.decimalSeparator.isEmpty() ? GetDecimalSeparator() : options.decimalSeparator;
    const Side a(before, options, separator), b(after, options, separator);
    return Comparison(a, b, separator).Run();
}

QStringList CodeplugChangeLines(const VirtualCP &before, const VirtualCP &after, const CodeplugComparisonOptions &options)
{
    QStringList lines;
    for (const CodeplugChange &change : CompareCodeplugs(before, after, options))
        lines.append(change.line);
    return lines;
}

bool ProfileTextToImage(const QString &xml, VirtualCP &image, QString &error)
{
    try {
        VirtualCP converted;
        CDataAdaptor::XML2VirtualCP(xml, converted);
        image = converted;
        return true;
    } catch (const CTavoCPSException &e) {
        error = LoadString(FailureMessageId(e, msg::InvalidProfile));
        return false;
    }
}

} // namespace tavo
