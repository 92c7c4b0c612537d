#include "reports/ReportPageValues.h"
#include "reports/HandoutPicture.h"

#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "base/XmlDom.h"
#include "config/PageRows.h"
#include "config/Registry.h"
#include "config/SettingDocuments.h"
#include "config/SquelchCodes.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QDate>
#include <QSet>

namespace tavo {

namespace {

constexpr int kEnableText = 9408;  // "Enable", a checked box
constexpr int kDisableText = 414;  // "Disable", a box not checked
constexpr int kDefaultText = 459;  // "(default)"
constexpr int kButtonsTitle = 158; // "Buttons"
constexpr int kSettingsTitle = 198;
constexpr int kAudioTitle = 172;
constexpr int kRadioInfoTitle = 151;
constexpr int kSerialNumberCaption = 153;
constexpr int kFirmwareCaption = 154;
constexpr int kLiIonBatteryPack = 9426;
// Where a display model's programmable buttons A, B and C sit: on the three
// keys under the display.
constexpr HandoutMark kDisplayButtonMarks[] = {{0, 0.34, 0.54}, {0, 0.50, 0.54}, {0, 0.66, 0.54}};
// The channel page's controls of the columns that may be left out.
constexpr int kChannelPowerList = 1028;
constexpr int kChannelRepeaterPowerList = 1021;
constexpr int kChannelScrambleList = 1023;
constexpr int kChannelRepeaterCheck = 1024;
constexpr int kChannelAutoScanCheck = 1027;

struct Profile {
    xmlNode *root = nullptr;
    xmlNode *factory = nullptr;
    xmlNode *limit = nullptr;
    xmlNode *setting = nullptr;
    bool display = false;
    QString model;

    xmlNode *Element(const char *name) const { return QByteArray(name) == names::kLimit ? limit : setting; }
    int LimitInt(const char *name) const { return XmlAttribute(limit, name).trimmed().toInt(); }
    int SettingInt(const char *name) const { return XmlAttribute(setting, name).trimmed().toInt(); }
};

xmlNode *AddElement(xmlNode *parent, const char *name)
{
    return xmlNewChild(parent, nullptr, reinterpret_cast<const xmlChar *>(name), nullptr);
}

void AddRow(xmlNode *page, const QString &name, const QString &value)
{
    xmlNode *row = AddElement(page, "row");
    SetXmlAttribute(row, "name", name);
    SetXmlAttribute(row, "value", value);
}

SettingDocuments &LoadedDocuments()
{
    SettingDocuments &docs = AppSettingDocuments();
    if (!docs.IsLoaded() && !docs.LoadAll())
        ThrowCPSException(msg::FilesNotAvailable, QStringLiteral("the setting documents cannot be loaded"),
                          "CReportOptionDlg::GenSpecReport", __LINE__);
    docs.LocalizeButtonFeatureNames();
    return docs;
}

bool HiddenByFlag(const PageRow &row, const Profile &p)
{
    return row.hide.name && (p.LimitInt(row.hide.name) != 0) != row.hide.hideWhenClear;
}

// The value of one row as its control shows it.
QString RowValue(const PageRow &row, const Profile &p)
{
    xmlNode *element = p.Element(row.element);
    const QString text = XmlAttribute(element, row.attribute);
    const int value = text.trimmed().toInt();
    switch (row.kind) {
    case RowKind::Text:
        return text;
    case RowKind::Number:
        return QString::number(value);
    case RowKind::Check:
        return LoadString(value != 0 ? kEnableText : kDisableText);
    case RowKind::CheckOne:
        return LoadString(value == 1 ? kEnableText : kDisableText);
    case RowKind::List:
    case RowKind::Backlight: {
        const int position = ListPosition(row, value, p.SettingInt(names::kBacklightEnabled));
        return position < 0 ? QString() : LoadString(row.items[size_t(position)]);
    }
    }
    return QString();
}

void AddPageRows(xmlNode *report, const char *pageName, int titleId, const std::vector<PageRow> &rows,
                 const Profile &p, const QHash<int, bool> &visible)
{
    xmlNode *page = AddElement(report, "page");
    SetXmlAttribute(page, "name", QLatin1String(pageName));
    SetXmlAttribute(page, "title", LoadString(titleId));
    for (const PageRow &row : rows) {
        bool present = false;
        XmlAttribute(p.Element(row.element), row.attribute, &present);
        // A row the page hides (visibility, model flag, a value the profile
        // does not carry) is not in the report either.
        if (!row.reported || !visible.value(row.ctrlId, false) || HiddenByFlag(row, p) || !present)
            continue;
        AddRow(page, LoadString(row.textId), RowValue(row, p));
    }
}

// The text the row a feature brings shows.
QString DependentValue(int feature, const Profile &p, xmlDoc *doc)
{
    if (feature == kScrambleModeFeature)
        return LoadString(kScrambleModeItems[p.SettingInt(names::kDisableSelectableScramble) != 0 ? 1 : 0]);
    if (feature == kCallToneFeature) {
        const int tone = p.SettingInt(names::kCallTone);
        if (tone == 0)
            return LoadString(kCallToneOffText);
        if (tone > 0 && tone <= p.LimitInt(names::kMaxCallTones))
            return QString::asprintf("%s %d", qPrintable(LoadString(kCallToneText)), tone);
        return QString();
    }
    // A preset: the name of the channel at the stored position of the
    // channel list (the page lists the channels in use).
    XmlXPath xpath(doc);
    const int preset = feature == kPreset1Feature ? 1 : 2;
    const QByteArray presetPath = QStringLiteral("/TavoProfile/setting/preset[%1]").arg(preset).toLatin1();
    const int channel = XmlAttribute(xpath.SelectFirst(presetPath.constData()), names::kChannel).trimmed().toInt();
    if (channel < 0 || channel >= p.SettingInt(names::kNumberChannels))
        return QString();
    const QByteArray channelPath = QStringLiteral("/TavoProfile/channels/channel[%1]").arg(channel + 1).toLatin1();
    return XmlAttribute(xpath.SelectFirst(channelPath.constData()), names::kName);
}

void AddButtons(xmlNode *report, const Profile &p, xmlDoc *doc, SettingDocuments &docs)
{
    const QHash<int, bool> visible = docs.GetVisibleControls(QLatin1String(kButtonsPage), p.display);
    const std::vector<ButtonFeature> common = docs.GetButtonFeatures(p.model, QLatin1String(kGroupCommon));
    const std::vector<ButtonFeature> displayGroup = docs.GetButtonFeatures(p.model, SettingDocuments::DisplayGroupName(p.model));
    const std::vector<ButtonFeature> preButton = docs.GetButtonFeatures(p.model, QLatin1String(kGroupPreButton));
    const LimitReader limit = [&p](const char *name) { return p.LimitInt(name); };

    xmlNode *page = AddElement(report, "page");
    SetXmlAttribute(page, "name", QLatin1String(kButtonsPage));
    SetXmlAttribute(page, "title", LoadString(kButtonsTitle));
    for (const PageRow &row : ButtonsPageRows())
        if (visible.value(row.ctrlId, false) && !HiddenByFlag(row, p))
            AddRow(page, LoadString(row.textId), RowValue(row, p));
    QSet<int> rowsShown;
    for (const ButtonRow &b : kButtonRows) {
        if (!visible.value(b.listId, false))
            continue;
        const std::vector<ButtonFeature> offered = OfferedButtonFeatures(common, displayGroup, preButton, b.allGroups, limit);
        int code = p.SettingInt(b.attribute);
        const ButtonFeature *shown = ShownButtonFeature(code, common, displayGroup, preButton, offered);
        if (!shown) {
            // The page shows (and stores) the no-feature entry instead.
            code = 0;
            shown = ShownButtonFeature(0, common, displayGroup, preButton, offered);
        }
        const QString feature = shown ? shown->m_strName : QString();
        AddRow(page, LoadString(b.textId), feature);
        xmlNode *button = AddElement(report, "button");
        SetXmlAttribute(button, "attribute", QLatin1String(b.attribute));
        SetXmlAttribute(button, "name", LoadString(b.textId));
        SetXmlAttribute(button, "feature", feature);
        QString handout = code == b.defaultCode ? feature + QLatin1Char(' ') + LoadString(kDefaultText) : feature;
        // A preset names the channel it selects.
        if (code == kPreset1Feature || code == kPreset2Feature) {
            const QString channel = DependentValue(code, p, doc);
            if (!channel.isEmpty())
                handout += QStringLiteral(": ") + channel;
        }
        SetXmlAttribute(button, "handout", handout);
        for (const ButtonDependentRow &row : kButtonDependentRows)
            if (row.code == code && visible.value(row.ctrlId, false) && !rowsShown.contains(row.code)) {
                rowsShown.insert(row.code);
                AddRow(page, LoadString(row.textId), DependentValue(row.code, p, doc));
            }
    }
}

// A channel's frequency as the channel page lists it: only a slot that
// holds a frequency inside the model's range is listed; anything else is
// "Out of range".
QString ChannelFrequency(xmlDoc *doc, const Profile &p, int index, const QString &decimalSeparator)
{
    XmlXPath xpath(doc);
    const QByteArray path = QStringLiteral("/TavoProfile/frequencies/frequency[%1]").arg(index + 1).toLatin1();
    bool present = false;
    const qint64 hz = index < 0 ? 0 : XmlAttribute(xpath.SelectFirst(path.constData()), names::kFreq, &present).toLongLong();
    const qint64 start = XmlAttribute(p.limit, names::kStartFreq).toLongLong();
    const qint64 end = XmlAttribute(p.limit, names::kEndFreq).toLongLong();
    if (!present || hz == 0 || hz < start || hz > end)
        return LoadString(kChannelOutOfRange);
    return QString::asprintf("%.6f (%d)", hz * 1e-6, index + 1).replace(QLatin1Char('.'), decimalSeparator);
}

// Which columns the channel page shows for this model and profile, under
// its captions, as attributes of one element "channel_page".
struct ChannelColumns {
    bool transmit, power, repeaterPower, scramble, repeater, autoScan;
};

ChannelColumns AddChannelPage(xmlNode *report, const Profile &p, SettingDocuments &docs)
{
    const QHash<int, bool> visible = docs.GetVisibleControls(QLatin1String(kChannelPage), p.display);
    const ChannelFeatures features = ChannelPageFeatures([&p](const char *name) { return p.LimitInt(name); });
    ChannelColumns c;
    c.repeater = features.repeater && visible.value(kChannelRepeaterCheck, false);
    c.transmit = c.repeater; // without a repeater one column sets receive and transmit
    c.power = features.power && visible.value(kChannelPowerList, false);
    c.repeaterPower = c.transmit && features.power && visible.value(kChannelRepeaterPowerList, false);
    c.scramble = features.scramble && visible.value(kChannelScrambleList, false);
    c.autoScan = features.scan && visible.value(kChannelAutoScanCheck, false);

    xmlNode *page = AddElement(report, "channel_page");
    auto flag = [page](const char *name, bool on) { SetXmlAttribute(page, name, on ? QStringLiteral("1") : QStringLiteral("0")); };
    auto caption = [page](const char *name, int id) { SetXmlAttribute(page, name, LoadString(id)); };
    flag("transmit", c.transmit);
    flag("power", c.power);
    flag("repeater_power", c.repeaterPower);
    flag("scramble", c.scramble);
    flag("repeater", c.repeater);
    flag("auto_scan", c.autoScan);
    caption("name_title", kChannelNameCaption);
    SetXmlAttribute(page, "receive_title",
                    c.transmit ? LoadString(kChannelReceiveCaption)
                               : LoadString(kChannelReceiveCaption) + QLatin1Char('/') + LoadString(kChannelTransmitCaption));
    caption("transmit_title", kChannelTransmitCaption);
    caption("frequency_title", kChannelFrequencyCaption);
    caption("code_title", kChannelCodeCaption);
    caption("bandwidth_title", kChannelBandwidthCaption);
    caption("power_title", c.transmit ? kChannelTalkaroundPowerCaption : kChannelTransmitPowerCaption);
    caption("repeater_power_title", kChannelRepeaterPowerCaption);
    caption("scramble_title", kChannelScrambleCaption);
    caption("repeater_title", kChannelRepeaterCaption);
    caption("auto_scan_title", kChannelAutoScanCaption);
    return c;
}

QString ListText(const int *items, int count, int value)
{
    return value >= 0 && value < count ? LoadString(items[value]) : QString();
}

// The channel page's texts of one direction's code, bandwidth and power.
QString CodeText(xmlNode *channel, const char *attribute, int maxCodes, const SettingAttributeReader &reader,
                 const QString &decimalSeparator)
{
    const int code = XmlAttribute(channel, attribute).toInt();
    // The channel page's list holds the codes 0 to maxCodes; a code above
    // selects nothing and shows nothing.
    if (code > maxCodes || code < 0)
        return QString();
    if (code == 0)
        return QString::number(0); // the style sheet names "no code" in the report's words
    return FormatCodeLabel(code, maxCodes, reader, decimalSeparator);
}

void AddChannelTexts(xmlDoc *doc, const Profile &p, const QString &decimalSeparator, const ChannelColumns &columns)
{
    XmlXPath xpath(doc);
    const int maxCodes = p.LimitInt(names::kMaxCodes);
    xmlNode *setting = p.setting;
    const SettingAttributeReader reader = [setting](const QString &name) {
        return XmlAttribute(setting, name.toLatin1().constData());
    };
    QString bandwidth[2];
    for (int i = 0; i < 2; ++i)
        bandwidth[i] = LoadString(kChannelBandwidthItems[i]).replace(QLatin1Char('.'), decimalSeparator);
    auto flagText = [](xmlNode *channel, const char *attribute) {
        return LoadString(XmlAttribute(channel, attribute).toInt() != 0 ? kEnableText : kDisableText);
    };
    // One side's frequency, code and bandwidth as the channel page shows
    // them, as "report_<side>_freq", "..._code", "..._bw".
    auto side = [&](xmlNode *channel, const char *name, const char *index, const char *code, const char *bw) {
        const QString prefix = QStringLiteral("report_%1_").arg(QLatin1String(name));
        SetXmlAttribute(channel, (prefix + QStringLiteral("freq")).toLatin1().constData(),
                        ChannelFrequency(doc, p, XmlAttribute(channel, index).toInt(), decimalSeparator));
        SetXmlAttribute(channel, (prefix + QStringLiteral("code")).toLatin1().constData(),
                        CodeText(channel, code, maxCodes, reader, decimalSeparator));
        SetXmlAttribute(channel, (prefix + QStringLiteral("bw")).toLatin1().constData(),
                        bandwidth[XmlAttribute(channel, bw).toInt() != 0 ? 1 : 0]);
    };
    auto power = [](xmlNode *channel, const char *attribute) {
        return ListText(kChannelPowerItems, 2, XmlAttribute(channel, attribute).toInt() != 0 ? 1 : 0);
    };
    for (xmlNode *channel : xpath.Select("/TavoProfile/channels/channel")) {
        side(channel, "rx", names::kRxFreqNdx, names::kRxCode, names::kRxBw);
        SetXmlAttribute(channel, "report_power", power(channel, names::kTalkaroundPower));
        // The transmit side: the channel's stored transmit settings. What
        // the radio sends on a talkaround channel is the receive side; the
        // one function that answers a channel's effective transmit
        // settings belongs here once it exists below the front ends.
        side(channel, "tx", names::kTxFreqNdx, names::kTxCode, names::kTxBw);
        SetXmlAttribute(channel, "report_repeater_power", power(channel, names::kRepeaterPower));
        if (columns.scramble)
            SetXmlAttribute(channel, "report_scramble",
                            ListText(kChannelScrambleItems, int(std::size(kChannelScrambleItems)),
                                     XmlAttribute(channel, names::kScrambleCode).toInt()));
        SetXmlAttribute(channel, "report_repeater", flagText(channel, names::kRepeater));
        SetXmlAttribute(channel, "report_auto_scan", flagText(channel, names::kAutoScan));
    }
}

// The Radio Information page's rows that the model's page shows.
void AddRadioInformation(xmlNode *report, const Profile &p, SettingDocuments &docs, const QString &decimalSeparator)
{
    const QHash<int, bool> visible = docs.GetVisibleControls(QStringLiteral("RadioProfile"), p.display);
    auto factoryInt = [&p](const char *name) { return XmlAttribute(p.factory, name).trimmed().toInt(); };
    const QString range = FormatFrequencyRange(XmlAttribute(p.limit, names::kStartFreq).toUInt(),
                                               XmlAttribute(p.limit, names::kEndFreq).toUInt(), decimalSeparator);
    const struct {
        int ctrlId, textId;
        QString value;
    } rows[] = {
        {1066, 152, p.model.size() > 2 ? p.model.right(2) : p.model},
        {1011, 153, XmlAttribute(p.factory, names::kSerial)},
        {1012, 154, FormatVersion(XmlAttribute(p.factory, names::kFirmwarePhase), factoryInt(names::kFirmwareVersion),
                                  factoryInt(names::kFirmwareRevision))},
        {1014, 155, FormatVersion(XmlAttribute(p.factory, names::kCodeplugPhase), factoryInt(names::kCodeplugVersion),
                                  factoryInt(names::kCodeplugDevVersion))},
        // The common range under each range caption the page shows.
        {1015, 156, range},
        {1018, 490, range},
        {1017, 489, range},
        {1016, 157, QString::number(p.LimitInt(names::kMaxChannels))},
    };
    xmlNode *page = AddElement(report, "page");
    SetXmlAttribute(page, "name", QStringLiteral("RadioProfile"));
    SetXmlAttribute(page, "title", LoadString(kRadioInfoTitle));
    for (const auto &row : rows)
        if (visible.value(row.ctrlId, false))
            AddRow(page, LoadString(row.textId), row.value);
}

// What the customer's handout names beside the model: serial number,
// firmware and date under their captions, and the battery the radio is
// set for.
void AddHandoutTexts(xmlNode *report, const Profile &p)
{
    SetXmlAttribute(report, "serial_title", LoadString(kSerialNumberCaption));
    SetXmlAttribute(report, "firmware_title", LoadString(kFirmwareCaption));
    SetXmlAttribute(report, "date_title", LoadString(msg::ReportDate));
    SetXmlAttribute(report, "serial", XmlAttribute(p.factory, names::kSerial));
    // The General Settings page's battery list: Alkaline, or any other
    // value the rechargeable pack.
    SetXmlAttribute(report, "battery",
                    LoadString(p.SettingInt(names::kBatteryType) != 0 ? kLiIonBatteryPack : msg::ReportAlkalineBatteries));
}

// The family's picture with the handout's parts marked on it: the fixed
// parts, and on a display model each programmable button beyond the side
// buttons that the Buttons page shows (numbered after the fixed parts).
void AddHandoutPicture(xmlNode *report, const Profile &p, xmlDoc *doc, SettingDocuments &docs)
{
    std::vector<HandoutMark> marks = HandoutMarks(p.display);
    if (p.display) {
        XmlXPath xpath(doc);
        const size_t fixed = marks.size();
        const std::vector<xmlNode *> buttons = xpath.Select("/TavoProfile/report/button");
        int n = 0;
        for (xmlNode *button : buttons) {
            const QString attribute = XmlAttribute(button, "attribute");
            if (attribute == QLatin1String(names::kSide1But) || attribute == QLatin1String(names::kSide2But))
                continue;
            const HandoutMark &place = kDisplayButtonMarks[size_t(std::min(n, int(std::size(kDisplayButtonMarks)) - 1))];
            marks.push_back({int(fixed) + ++n, place.x, place.y});
        }
    }
    const QString file = docs.GetButtonImageFile(p.model);
    SetXmlAttribute(report, "picture",
                    file.isEmpty() ? QString() : HandoutPictureAddress(InstallFilePath(QStringLiteral("lib"), file), marks));
}

} // namespace

void AddPageValues(xmlDoc *doc, const QString &decimalSeparator)
{
    SettingDocuments &docs = LoadedDocuments();
    XmlXPath xpath(doc);
    Profile p;
    p.root = xmlDocGetRootElement(doc);
    p.factory = xpath.SelectFirst("/TavoProfile/factory_setting");
    p.limit = xpath.SelectFirst("/TavoProfile/limit");
    p.setting = xpath.SelectFirst("/TavoProfile/setting");
    if (!p.root)
        return;
    p.model = XmlAttribute(p.factory, names::kModel);
    p.display = IsDisplayModel(p.model);

    xmlNode *report = AddElement(p.root, "report");
    SetXmlAttribute(report, "date", QDate::currentDate().toString(Qt::ISODate));
    AddHandoutTexts(report, p);

    xmlNode *version = AddElement(report, "version");
    auto factoryInt = [&p](const char *name) { return XmlAttribute(p.factory, name).trimmed().toInt(); };
    SetXmlAttribute(version, "firmware", FormatVersion(XmlAttribute(p.factory, names::kFirmwarePhase), factoryInt(names::kFirmwareVersion),
                                                       factoryInt(names::kFirmwareRevision)));
    SetXmlAttribute(version, "codeplug", FormatVersion(XmlAttribute(p.factory, names::kCodeplugPhase), factoryInt(names::kCodeplugVersion),
                                                       factoryInt(names::kCodeplugDevVersion)));

    AddRadioInformation(report, p, docs, decimalSeparator);
    AddPageRows(report, kSettingsPage, kSettingsTitle, SettingsPageRows(), p,
                docs.GetVisibleControls(QLatin1String(kSettingsPage), p.display));
    AddPageRows(report, kAudioSettingsPage, kAudioTitle, AudioSettingsPageRows(), p,
                docs.GetVisibleControls(QLatin1String(kAudioSettingsPage), p.display));
    AddButtons(report, p, doc, docs);
    AddHandoutPicture(report, p, doc, docs);
    AddChannelTexts(doc, p, decimalSeparator, AddChannelPage(report, p, docs));
}

} // namespace tavo
