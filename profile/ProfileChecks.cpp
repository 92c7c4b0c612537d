#include "profile/ProfileChecks.h"
#include "profile/CRadioDataModel.h"
#include "base/CTavoCPSException.h"
#include "config/PageRows.h"
#include "config/SettingDocuments.h"
#include "base/TemplateFile.h"
#include "codeplug/CodeplugChecks.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

namespace tavo {

namespace {

constexpr const char *kRotarySpecificInfo = "4_5WNondisplay";
constexpr int kHighestPlainCode = 122;
constexpr int kBacklightFeature = 11;
const char *const kButtons[] = {"side1_but", "side2_but", "upper_right_but", "lower_left_but", "lower_right_but"};

CDataItem Child(const CDataItem &parent, const char *name)
{
    CDataItem child;
    parent.GetChildByName(QLatin1String(name), child);
    return child;
}

QString ModelOf(const CDataItem &root)
{
    return Child(root, "factory_setting").GetText(QStringLiteral("model"));
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
    const int used = Child(root, "setting").GetInt(QStringLiteral("numberChannels"));
    const CDataItem channels = Child(root, "channels");
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
        CDataItem factory = Child(root, "factory_setting");
        if (IsRotaryFourFiveWattVariant(factory.GetText(QStringLiteral("model"))))
            SetXmlAttribute(factory.m_spNode.node, "Specific_Info", QLatin1String(kRotarySpecificInfo));
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
}

void ClearRepeaterDisableForVariant(CDataItem &root)
{
    try {
        if (!IsRotaryFourFiveWattVariant(ModelOf(root)))
            return;
        CDataItem limit = Child(root, "limit");
        const ProgramStep step(root); // a capability the program itself adjusts
        Request(limit, "disable_repeater_feature", 0);
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
}

void ApplyModelVariantDefaults(CDataItem &root)
{
    try {
        CDataItem factory = Child(root, "factory_setting");
        const QString model = factory.GetText(QStringLiteral("model"));
        const QString variant = model.left(model.size() - 2) + QStringLiteral("02");
        // The defaults belong to a conversion to the variant: when the rules
        // refuse it, or the model already is the variant, nothing else is
        // requested (so the user's own settings survive every later load).
        if (Request(factory, "model", variant) != 0 || variant == model)
            return;
        CDataItem setting = Child(root, "setting");
        for (const char *button : kButtons)
            if (setting.GetInt(QLatin1String(button)) == kBacklightFeature)
                Request(setting, button, 0);
        const CDataItem frequencies = Child(root, "frequencies");
        for (int i = 0, n = frequencies.GetChildCount(); i < n; ++i) {
            CDataItem f;
            frequencies.GetChildByIndex(i, f);
            const int power = f.GetInt(QStringLiteral("power_level"));
            if (power == 0 || power == 2)
                Request(f, "power_level", power + 1);
        }
        const CDataItem channels = Child(root, "channels");
        for (int i = 0, n = channels.GetChildCount(); i < n; ++i) {
            CDataItem c;
            channels.GetChildByIndex(i, c);
            for (const char *a : {"talkaround_power", "repeater_power"})
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
        const bool display = IsDisplayModel(ModelOf(root));
        CDataItem setting = Child(root, "setting");
        for (int button = 0; button < kButtonRowCount; ++button) {
            const QLatin1String attribute(kButtonRows[button].attribute);
            if (IsButtonShown(button, display) || setting.GetInt(attribute) == 0)
                continue;
            changed = Request(setting, kButtonRows[button].attribute, 0) == 0 || changed;
        }
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    }
    return changed;
}

void CopyReceiveToTransmitWithoutRepeater(CDataItem &root)
{
    CDataItem limit;
    if (root.FindChildByName(QStringLiteral("limit"), limit)
        && limit.GetText(QStringLiteral("disable_repeater_feature")) == QLatin1String("1"))
        root.CopyReceiveToTransmit();
}

bool CheckFrequencies(const CDataItem &root)
{
    const CDataItem limit = Child(root, "limit");
    const qint64 lo = Hertz(limit, "start_freq");
    const qint64 hi = Hertz(limit, "end_freq");
    const CDataItem frequencies = Child(root, "frequencies");
    auto inRange = [&](int index) {
        CDataItem f;
        frequencies.GetChildByIndex(index, f);
        if (f.IsEmpty())
            return false;
        const qint64 hz = Hertz(f, "freq");
        return hz >= lo && hz <= hi;
    };
    return ForChannelsInUse(root, [&](const CDataItem &channel) {
        return inRange(channel.GetInt(QStringLiteral("tx_freq_ndx"))) && inRange(channel.GetInt(QStringLiteral("rx_freq_ndx")));
    });
}

bool ChannelCodesInRange(const CDataItem &root)
{
    return ForChannelsInUse(root, [](const CDataItem &channel) {
        return channel.GetInt(QStringLiteral("rx_code")) <= kHighestPlainCode
            && channel.GetInt(QStringLiteral("tx_code")) <= kHighestPlainCode;
    });
}

bool CheckProfile(const QString &path)
{
    try {
        QString text;
        if (!LoadTemplateFile(path, text))
            return false;
        CRadioDataModel model;
        if (!model.LoadProfile(text, 0))
            return false;
        const CDataItem factory = Child(model.m_rootItem, "factory_setting");
        const QString code = factory.GetText(QStringLiteral("model"));
        const QString phase = factory.GetText(QStringLiteral("codeplug_phase"));
        const int version = factory.GetInt(QStringLiteral("codeplug_version"));
        const int clone = factory.GetInt(QStringLiteral("serial_clone_compatibility"));
        const QString subRegion = factory.GetText(QStringLiteral("sub_region"));
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
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
        return false;
    }
}

} // namespace tavo
