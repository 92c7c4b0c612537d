#include "workflow/CodeplugComparison.h"

#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "base/CodePage.h"
#include "codeplug/RadioFields.h"
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

using Show = FieldShow;
using Field = RadioField;

// Texts of small value lists, by stored value.
const int kHighLowTexts[] = {msg::TextHigh, msg::TextLow};
const int kBandwidthTexts[] = {msg::TextBandwidthNarrow, msg::TextBandwidthWide};
const int kScrambleTexts[] = {msg::TextScrambleOff, msg::TextScrambleOff + 1, msg::TextScrambleOff + 2, msg::TextScrambleOff + 3};
const int kBatteryTexts[] = {msg::TextAlkaline, msg::TextNickelLiIon};
// A frequency's modes, as the frequency page lists them: 0 and 1 one value
// only, 2 and 3 selectable with a default.
const int kBandwidthModeTexts[] = {386, 387, 289, 290};
const int kBandwidthModeWidths[] = {msg::TextBandwidthNarrow, msg::TextBandwidthWide, msg::TextBandwidthNarrow, msg::TextBandwidthWide};
const int kPowerModeTexts[] = {389, 388, 295, 294};

// A value as the field's page list shows it: the entry at the value's
// position; a value the list lacks as itself.
QString PageListText(const FieldRow &row, uint32_t value)
{
    const int scale = row.scale > 0 ? row.scale : 1;
    const bool fits = row.scale >= 0 && value % static_cast<uint32_t>(scale) == 0;
    const size_t position = value / static_cast<uint32_t>(scale);
    if (fits && position < row.items.size())
        return LoadString(row.items[position]);
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
    QByteArray Raw(const uint8_t *record, const Field &field, size_t slot = 0) const
    {
        if (IsText(field))
            return TextBytes(record + field.image.offset, field.image.width);
        return QByteArray::number(Number(record, field, slot));
    }

    QString Shown(const uint8_t *record, const Field &field, size_t slot = 0) const
    {
        const Show show = field.change.show;
        if (IsText(field)) {
            const QString text = FromAnsi(TextBytes(record + field.image.offset, field.image.width));
            // No password at all is said so, not shown as nothing.
            if (show == Show::Secret && text.isEmpty())
                return LoadString(msg::TextNone);
            return show == Show::Text ? text : QString(text.size(), QLatin1Char('*'));
        }
        const uint32_t value = Number(record, field, slot);
        switch (show) {
        case Show::None:
        case Show::Number: return QString::number(value);
        case Show::Flag: return LoadString(value == 1 ? msg::TextOn : msg::TextOff);
        case Show::Text:
        case Show::Secret: break; // above
        case Show::HighLow: return ListText(kHighLowTexts, value);
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
        case Show::PageList: return PageListText(field.row, value);
        }
        return QString::number(value);
    }

private:
    static bool IsText(const Field &field) { return field.change.show == Show::Text || field.change.show == Show::Secret; }

    uint32_t Number(const uint8_t *record, const Field &field, size_t slot) const
    {
        return StoredNumber(field, m_cp, record, slot);
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
                       [&field](const FollowedTransmitField &f) { return std::strcmp(f.txAttribute, field.attribute) == 0; });
}

class Comparison {
public:
    Comparison(const Side &before, const Side &after, const QString &separator) : m_before(before), m_after(after), m_separator(separator) {}

    std::vector<CodeplugChange> Run()
    {
        const bool tones = HasCustomTones(m_before.Image()) || HasCustomTones(m_after.Image());
        for (const Field *field : ShownRadioWideFields()) {
            if (field->change.nameId == 0 || (field->image.store == FieldStore::CustomTone && !tones))
                continue;
            // A customised tone is named by its code.
            const QString name = field->image.store == FieldStore::CustomTone
                                     ? Formatted(field->change.nameId, {QString::number(V::kFirstCustomCode + field->image.offset)})
                                     : LoadString(field->change.nameId);
            CompareField(name, m_before.Image().bytes.data(), m_after.Image().bytes.data(), *field);
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

    void CompareField(const QString &name, const uint8_t *before, const uint8_t *after, const Field &field, size_t slot = 0)
    {
        const QByteArray rawBefore = m_before.Raw(before, field, slot), rawAfter = m_after.Raw(after, field, slot);
        if (rawBefore == rawAfter)
            return;
        QString shownBefore = m_before.Shown(before, field, slot), shownAfter = m_after.Shown(after, field, slot);
        // Two stored values that show as one text are told apart by what is stored.
        const Show show = field.change.show;
        if (shownBefore == shownAfter && show != Show::Secret && show != Show::Text) {
            shownBefore += QStringLiteral(" (%1)").arg(QString::fromLatin1(rawBefore));
            shownAfter += QStringLiteral(" (%1)").arg(QString::fromLatin1(rawAfter));
        }
        Add(name, shownBefore, shownAfter);
    }

    void CompareChannels()
    {
        const size_t common = std::min(m_before.ChannelCount(), m_after.ChannelCount());
        const std::vector<const Field *> fields = ShownFieldsOf(names::kChannel);
        const auto nameField = std::find_if(fields.begin(), fields.end(),
                                            [](const Field *f) { return std::strcmp(f->attribute, names::kName) == 0; });
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
                const QString name = nameField == fields.end() ? QString()
                                     : added ? m_after.Shown(b.bytes.data(), **nameField, j)
                                             : m_before.Shown(a.bytes.data(), **nameField, j);
                AddLine(added ? msg::ChangeChannelAdded : msg::ChangeChannelRemoved, number, name);
                continue;
            }
            for (const Field *field : fields)
                if (field->change.nameId != 0 && !(bothFollow && FollowsReceive(*field)))
                    CompareField(Formatted(msg::ChangeChannelField, {number, LoadString(field->change.nameId)}), a.bytes.data(),
                                 b.bytes.data(), *field, j);
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
            for (const Field *field : ShownFieldsOf(names::kFrequency))
                if (field->change.nameId != 0)
                    CompareField(Formatted(msg::ChangeFrequencyField, {number, LoadString(field->change.nameId)}), a.bytes.data(),
                                 b.bytes.data(), *field, s);
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
