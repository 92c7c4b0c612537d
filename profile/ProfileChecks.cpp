#include "profile/ProfileChecks.h"
#include "base/ProfileNames.h"
#include "profile/CRadioDataModel.h"
#include "base/CTavoCPSException.h"
#include "config/PageRows.h"
#include "config/SettingDocuments.h"
#include "base/TemplateFile.h"
#include "codeplug/CodeplugChecks.h"
#include "codeplug/RadioFields.h"
#include "codeplug/VirtualCP.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tavo {

namespace {

constexpr const char *kRotarySpecificInfo = "4_5WNondisplay";
constexpr int kHighestPlainCode = 122;
constexpr int kBacklightFeature = 11;
const char *const kButtons[] = {names::kSide1But, names::kSide2But, names::kUpperRightBut, names::kLowerLeftBut, names::kLowerRightBut};

QString ModelOf(const CDataItem &root)
{
    return root.ChildByName(names::kFactorySetting).GetText(names::kModel);
}

// A frequency attribute (unsigned 32 bits) without loss of its top bit.
qint64 Hertz(const CDataItem &item, const char *attribute)
{
    QVariant v;
    item.GetAttributeValue(v, QLatin1String(attribute));
    return v.toLongLong();
}

// A request through the rules with answer 0; the result code.
int Request(CDataItem &item, const char *attribute, const QVariant &value)
{
    int msgId = 0, msgStyle = 0;
    return item.SetAttributeValue(QLatin1String(attribute), value, msgId, 0, msgStyle);
}

// Visits channel i of the first numberChannels; false stops with false.
template <typename F>
bool ForChannelsInUse(const CDataItem &root, F f)
{
    const int used = root.ChildByName(names::kSetting).GetInt(names::kNumberChannels);
    const CDataItem channels = root.ChildByName(names::kChannels);
    for (int i = 0; i < used; ++i) {
        CDataItem channel;
        channels.GetChildByIndex(i, channel);
        if (channel.IsEmpty() || !f(channel))
            return false;
    }
    return true;
}

} // namespace

bool IsFourFiveWattVariant(const QString &model)
{
    return model.size() >= 4 && (model.at(3) == QLatin1Char('4') || model.at(3) == QLatin1Char('5'));
}

bool IsRotaryFourFiveWattVariant(const QString &model)
{
    return IsFourFiveWattVariant(model) && model.at(2) == QLatin1Char('R');
}

void SetNonDisplaySpecificInfo(CDataItem &root)
{
    try {
        CDataItem factory = root.ChildByName(names::kFactorySetting);
        if (IsRotaryFourFiveWattVariant(factory.GetText(names::kModel)))
            SetXmlAttribute(factory.m_spNode.node, names::kSpecificInfo, QLatin1String(kRotarySpecificInfo));
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
}

void ClearRepeaterDisableForVariant(CDataItem &root)
{
    try {
        if (!IsRotaryFourFiveWattVariant(ModelOf(root)))
            return;
        CDataItem limit = root.ChildByName(names::kLimit);
        const ProgramStep step(root); // a capability the program itself adjusts
        Request(limit, names::kDisableRepeaterFeature, 0);
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
}

void ApplyModelVariantDefaults(CDataItem &root)
{
    try {
        CDataItem factory = root.ChildByName(names::kFactorySetting);
        const QString model = factory.GetText(names::kModel);
        const QString variant = model.left(model.size() - 2) + QStringLiteral("02");
        // The defaults belong to a conversion to the variant: when the rules
        // refuse it, or the model already is the variant, nothing else is
        // requested (so the user's own settings survive every later load).
        if (Request(factory, names::kModel, variant) != 0 || variant == model)
            return;
        CDataItem setting = root.ChildByName(names::kSetting);
        for (const char *button : kButtons)
            if (setting.GetInt(QLatin1String(button)) == kBacklightFeature)
                Request(setting, button, 0);
        const CDataItem frequencies = root.ChildByName(names::kFrequencies);
        for (int i = 0, n = frequencies.GetChildCount(); i < n; ++i) {
            CDataItem f;
            frequencies.GetChildByIndex(i, f);
            const int power = f.GetInt(names::kPowerLevel);
            if (power == 0 || power == 2)
                Request(f, names::kPowerLevel, power + 1);
        }
        const CDataItem channels = root.ChildByName(names::kChannels);
        for (int i = 0, n = channels.GetChildCount(); i < n; ++i) {
            CDataItem c;
            channels.GetChildByIndex(i, c);
            for (const char *a : {names::kTalkaroundPower, names::kRepeaterPower})
                if (c.GetInt(QLatin1String(a)) == 0)
                    Request(c, a, 1);
        }
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
}

bool ReleaseHiddenButtonFeatures(CDataItem &root)
{
    bool changed = false;
    try {
        const std::vector<bool> shown = ShownButtonRows(IsDisplayModel(ModelOf(root)));
        CDataItem setting = root.ChildByName(names::kSetting);
        for (int button = 0; button < kButtonRowCount; ++button) {
            const QLatin1String attribute(kButtonRows[button].attribute);
            if (shown[button] || setting.GetInt(attribute) == 0)
                continue;
            changed = Request(setting, kButtonRows[button].attribute, 0) == 0 || changed;
        }
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
    return changed;
}

bool ReleaseUnofferedButtonFeatures(CDataItem &root)
{
    bool changed = false;
    try {
        SettingDocuments &docs = AppSettingDocuments();
        if (!docs.GetDocument(SettingDocuments::ButtonList))
            return false;
        const QString model = ModelOf(root);
        const std::vector<ButtonFeature> common = docs.GetButtonFeatures(model, QLatin1String(kGroupCommon));
        const std::vector<ButtonFeature> display = docs.GetButtonFeatures(model, SettingDocuments::DisplayGroupName(model));
        std::vector<ButtonFeature> preButton = docs.GetButtonFeatures(model, QLatin1String(kGroupPreButton));
        if (common.empty())
            return false;
        const CDataItem limit = root.ChildByName(names::kLimit);
        const int maxPreset = qMax(0, limit.GetInt(names::kMaxPresetButtons));
        if (int(preButton.size()) > maxPreset)
            preButton.resize(maxPreset);
        const LimitReader readLimit = [&limit](const char *name) { return limit.GetInt(QLatin1String(name)); };
        CDataItem setting = root.ChildByName(names::kSetting);
        for (const ButtonRow &row : kButtonRows) {
            const int code = setting.GetInt(QLatin1String(row.attribute));
            if (code == 0)
                continue;
            const std::vector<ButtonFeature> offered = OfferedButtonFeatures(common, display, preButton, row.allGroups, readLimit);
            if (!ShownButtonFeature(code, common, display, preButton, offered))
                changed = Request(setting, row.attribute, 0) == 0 || changed;
        }
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
    return changed;
}

bool ClearImpossibleRepeaters(CDataItem &root)
{
    bool changed = false;
    try {
        const bool noRepeater = root.ChildByName(names::kLimit).GetInt(names::kDisableRepeaterFeature) != 0;
        CDataItem channels = root.ChildByName(names::kChannels);
        for (int i = 0, n = channels.GetChildCount(); i < n; ++i) {
            CDataItem channel;
            channels.GetChildByIndex(i, channel);
            if (channel.IsEmpty() || channel.GetInt(names::kRepeater) == 0)
                continue;
            if (noRepeater || channel.GetInt(names::kRxFreqNdx) == channel.GetInt(names::kTxFreqNdx))
                changed = Request(channel, names::kRepeater, 0) == 0 || changed;
        }
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
    return changed;
}

void CopyReceiveToTransmitWithoutRepeater(CDataItem &root)
{
    CDataItem limit;
    if (root.FindChildByName(names::kLimit, limit)
        && limit.GetText(names::kDisableRepeaterFeature) == QLatin1String("1"))
        root.CopyReceiveToTransmit();
}

bool TransmitsWithReceive(const CDataItem &root, const CDataItem &channel)
{
    CDataItem limit;
    const bool noRepeaterFeature = root.FindChildByName(names::kLimit, limit)
        && limit.GetText(names::kDisableRepeaterFeature) == QLatin1String("1");
    return TransmitsWithReceive(noRepeaterFeature, channel.GetText(names::kRepeater) == QLatin1String("1"));
}

int EffectiveTransmitValue(const CDataItem &root, const CDataItem &channel, const char *txAttribute)
{
    if (TransmitsWithReceive(root, channel))
        for (const FollowedTransmitField &f : kTransmitFollowsReceive)
            if (std::strcmp(f.txAttribute, txAttribute) == 0)
                return channel.GetInt(f.rxAttribute);
    return channel.GetInt(txAttribute);
}

bool CheckFrequencies(const CDataItem &root)
{
    const CDataItem limit = root.ChildByName(names::kLimit);
    const qint64 lo = Hertz(limit, names::kStartFreq);
    const qint64 hi = Hertz(limit, names::kEndFreq);
    const CDataItem frequencies = root.ChildByName(names::kFrequencies);
    auto inRange = [&](int index) {
        CDataItem f;
        frequencies.GetChildByIndex(index, f);
        if (f.IsEmpty())
            return false;
        const qint64 hz = Hertz(f, names::kFreq);
        return hz >= lo && hz <= hi;
    };
    return ForChannelsInUse(root, [&](const CDataItem &channel) {
        return inRange(channel.GetInt(names::kTxFreqNdx)) && inRange(channel.GetInt(names::kRxFreqNdx));
    });
}

bool ChannelCodesInRange(const CDataItem &root)
{
    return ForChannelsInUse(root, [](const CDataItem &channel) {
        return channel.GetInt(names::kRxCode) <= kHighestPlainCode
            && channel.GetInt(names::kTxCode) <= kHighestPlainCode;
    });
}

namespace {

// The element as the message names it: its name, and its number counted
// from 1 where there are several.
QString ElementLabel(const char *element, int index)
{
    return index < 0 ? QLatin1String(element) : QStringLiteral("%1 %2").arg(QLatin1String(element)).arg(index + 1);
}

QString OutOfRange(const QString &where, const char *attribute, const QString &value, const QString &range)
{
    return LoadString(msg::ProfileValueOutOfRange).arg(where, QLatin1String(attribute), value, range);
}

// The first attribute of `item` (an `element`) outside its range.
QString RangeProblem(const CDataItem &item, const char *element, int index)
{
    // The fields' ranges where the schema's types allow more than the radio
    // holds (or the schema leaves a number open).
    for (const RadioField *f : FieldsOf(element)) {
        const FieldRange &r = f->range;
        if (!r.Checked())
            continue;
        bool present = false;
        const QString text = XmlAttribute(item.m_spNode.node, f->attribute, &present);
        if (!present)
            continue; // an optional attribute left out (the schema requires the others)
        bool ok = false;
        const qint64 value = text.trimmed().toLongLong(&ok);
        if (!ok || value < r.low || value > r.high)
            return OutOfRange(ElementLabel(element, index), f->attribute, text, QStringLiteral("%1-%2").arg(r.low).arg(r.high));
    }
    return QString();
}

// `value` of `attribute` as an index into a table of `size` entries.
QString IndexProblem(const QString &where, const char *attribute, qint64 value, int size)
{
    if (value >= 0 && value < size)
        return QString();
    if (size <= 0)
        return LoadString(msg::ProfileIndexIntoEmptyTable).arg(where, QLatin1String(attribute)).arg(value);
    return OutOfRange(where, attribute, QString::number(value), QStringLiteral("0-%1").arg(size - 1));
}

} // namespace

QString ProfileValueProblem(const CDataItem &root)
{
    const CDataItem factory = root.ChildByName(names::kFactorySetting);
    const CDataItem limit = root.ChildByName(names::kLimit);
    const CDataItem setting = root.ChildByName(names::kSetting);
    const CDataItem channels = root.ChildByName(names::kChannels);
    const CDataItem frequencies = root.ChildByName(names::kFrequencies);
    for (const auto &[item, element] : {std::pair{factory, names::kFactorySetting}, std::pair{limit, names::kLimit}, std::pair{setting, names::kSetting}}) {
        const QString problem = RangeProblem(item, element, -1);
        if (!problem.isEmpty())
            return problem;
    }
    // The tables as a conversion reads them: at most 19 channels and 99
    // frequencies, no more than the radio's table sizes.
    const int channelTable = std::min({limit.GetInt(names::kMaxChannels), channels.GetChildCount(), static_cast<int>(VirtualCP::kChannelCount)});
    const int frequencyTable = std::min({limit.GetInt(names::kMaxValidFreqs), frequencies.GetChildCount(), static_cast<int>(VirtualCP::kFrequencyCount)});

    for (int i = 0, n = setting.GetChildCount(); i < n; ++i) {
        CDataItem preset;
        setting.GetChildByIndex(i, preset);
        if (preset.IsEmpty() || preset.NodeName() != QLatin1String(names::kPreset))
            continue;
        QString problem = RangeProblem(preset, names::kPreset, i);
        if (problem.isEmpty())
            problem = IndexProblem(ElementLabel(names::kPreset, i), names::kChannel, preset.GetText(QLatin1String(names::kChannel)).toLongLong(), channelTable);
        if (!problem.isEmpty())
            return problem;
    }
    const qint64 inUse = setting.GetText(QLatin1String(names::kNumberChannels)).toLongLong();
    if (inUse > channelTable)
        return OutOfRange(QLatin1String(names::kSetting), names::kNumberChannels, QString::number(inUse), QStringLiteral("0-%1").arg(channelTable));
    for (int i = 0, n = std::min(channels.GetChildCount(), static_cast<int>(VirtualCP::kChannelCount)); i < n; ++i) {
        CDataItem channel;
        channels.GetChildByIndex(i, channel);
        QString problem = RangeProblem(channel, names::kChannel, i);
        // Only the channels in use tune to a frequency; the others may hold
        // whatever an erased radio left in them.
        for (const char *attribute : {names::kRxFreqNdx, names::kTxFreqNdx})
            if (problem.isEmpty() && i < inUse)
                problem = IndexProblem(ElementLabel(names::kChannel, i), attribute, channel.GetText(QLatin1String(attribute)).toLongLong(), frequencyTable);
        if (!problem.isEmpty())
            return problem;
    }
    for (int i = 0, n = std::min(frequencies.GetChildCount(), static_cast<int>(VirtualCP::kFrequencyCount)); i < n; ++i) {
        CDataItem frequency;
        frequencies.GetChildByIndex(i, frequency);
        const QString problem = RangeProblem(frequency, names::kFrequency, i);
        if (!problem.isEmpty())
            return problem;
    }
    return QString();
}

bool CheckProfile(const QString &path)
{
    try {
        // Loaded from the file itself, so that a loading error names it.
        CRadioDataModel model;
        if (!model.LoadProfile(path, 1))
            return false;
        return CheckLoadedProfile(model.m_rootItem);
    } catch (const CTavoCPSException &e) {
        ShowMessageText(FailureText(e), MB_OK | MB_ICONERROR);
        return false;
    }
}

bool CheckLoadedProfile(const CDataItem &root)
{
    try {
        const CDataItem factory = root.ChildByName(names::kFactorySetting);
        const QString code = factory.GetText(names::kModel);
        const QString phase = factory.GetText(names::kCodeplugPhase);
        const int version = factory.GetInt(names::kCodeplugVersion);
        const int clone = factory.GetInt(names::kSerialCloneCompatibility);
        const QString subRegion = factory.GetText(names::kSubRegion);
        const QString region = code.right(2);

        const SettingDocuments &settings = AppSettingDocuments();
        if (settings.IsSupported(region) && IsCloneCompatible(clone)
            && settings.IsSubRegionSupported(subRegion)) {
            if (settings.IsCodeplugSupported(phase.left(1), version))
                return true;
            ShowMessage(msg::CodeplugIncompatible, MB_OK | MB_ICONERROR);
            return false;
        }
        const int sub = subRegion.toInt();
        const QString edition = sub != 0 && sub != 3 ? settings.m_mapSubModelRegions.value(sub)
                                                      : settings.m_mapModelRegions.value(region.toInt());
        QString message = LoadString(msg::RegionNotSupported);
        if (!edition.isEmpty())
            message += QLatin1Char(' ') + QString::asprintf(LoadString(msg::UseEdition).toUtf8().constData(), edition.toUtf8().constData());
        ShowMessageText(message, MB_OK | MB_ICONERROR);
        return false;
    } catch (const CTavoCPSException &e) {
        ShowMessageText(FailureText(e), MB_OK | MB_ICONERROR);
        return false;
    }
}

} // namespace tavo
