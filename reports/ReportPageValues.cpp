#include "reports/ReportPageValues.h"

#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "base/XmlDom.h"
#include "config/PageRows.h"
#include "config/Registry.h"
#include "config/SettingDocuments.h"
#include "config/SquelchCodes.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QSet>

namespace tavo {

namespace {

constexpr int kEnableText = 9408;  // "Enable", a checked box
constexpr int kDisableText = 414;  // "Disable", a box not checked
constexpr int kDefaultText = 459;  // "(default)"
constexpr int kButtonsTitle = 158; // "Buttons"
constexpr int kSettingsTitle = 198;
constexpr int kAudioTitle = 172;
// The channel page's scramble list: OFF, then the three codes.
constexpr int kScrambleItems[] = {193, 194, 195, 196};
constexpr int kChannelScrambleList = 1023;
constexpr const char *kChannelPage = "Channel";

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
        SetXmlAttribute(button, "handout",
                        code == b.defaultCode ? feature + QLatin1Char(' ') + LoadString(kDefaultText) : feature);
        for (const ButtonDependentRow &row : kButtonDependentRows)
            if (row.code == code && visible.value(row.ctrlId, false) && !rowsShown.contains(row.code)) {
                rowsShown.insert(row.code);
                AddRow(page, LoadString(row.textId), DependentValue(row.code, p, doc));
            }
    }
}

// A channel's frequency as the channel page lists it: only an entry inside
// the model's range is listed; anything else selects nothing.
QString ChannelFrequency(xmlDoc *doc, int index, const QString &decimalSeparator)
{
    XmlXPath xpath(doc);
    const QByteArray path = QStringLiteral("/TavoProfile/frequencies/frequency[%1]").arg(index + 1).toLatin1();
    bool present = false;
    const qint64 hz = XmlAttribute(xpath.SelectFirst(path.constData()), names::kFreq, &present).toLongLong();
    if (!present || hz == 0)
        return QString();
    return QString::asprintf("%.6f (%d)", hz * 1e-6, index + 1).replace(QLatin1Char('.'), decimalSeparator);
}

void AddChannelTexts(xmlDoc *doc, const Profile &p, const QString &decimalSeparator, bool scramble)
{
    XmlXPath xpath(doc);
    const int maxCodes = p.LimitInt(names::kMaxCodes);
    xmlNode *setting = p.setting;
    const SettingAttributeReader reader = [setting](const QString &name) {
        return XmlAttribute(setting, name.toLatin1().constData());
    };
    for (xmlNode *channel : xpath.Select("/TavoProfile/channels/channel")) {
        for (const char *attribute : {names::kRxCode, names::kTxCode}) {
            const int code = XmlAttribute(channel, attribute).toInt();
            // The channel page's list holds the codes 0 to maxCodes; a code
            // above selects nothing and shows nothing.
            if (code > maxCodes)
                SetXmlAttribute(channel, attribute, QString());
            else if (code > 0)
                SetXmlAttribute(channel, attribute, FormatCodeLabel(code, maxCodes, reader, decimalSeparator));
        }
        for (const auto &[index, text] : {std::pair{names::kRxFreqNdx, "report_rx_freq"}, std::pair{names::kTxFreqNdx, "report_tx_freq"}})
            SetXmlAttribute(channel, text, ChannelFrequency(doc, XmlAttribute(channel, index).toInt(), decimalSeparator));
        if (scramble) {
            const int code = XmlAttribute(channel, names::kScrambleCode).toInt();
            SetXmlAttribute(channel, "report_scramble",
                            code >= 0 && code < int(std::size(kScrambleItems)) ? LoadString(kScrambleItems[code]) : QString());
        }
    }
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
    const bool scramble = p.LimitInt(names::kDisableScrambleFeature) == 0
        && docs.GetVisibleControls(QLatin1String(kChannelPage), p.display).value(kChannelScrambleList, false);
    SetXmlAttribute(report, "scramble", scramble ? QStringLiteral("1") : QStringLiteral("0"));

    xmlNode *version = AddElement(report, "version");
    auto factoryInt = [&p](const char *name) { return XmlAttribute(p.factory, name).trimmed().toInt(); };
    SetXmlAttribute(version, "firmware", FormatVersion(XmlAttribute(p.factory, names::kFirmwarePhase), factoryInt(names::kFirmwareVersion),
                                                       factoryInt(names::kFirmwareRevision)));
    SetXmlAttribute(version, "codeplug", FormatVersion(XmlAttribute(p.factory, names::kCodeplugPhase), factoryInt(names::kCodeplugVersion),
                                                       factoryInt(names::kCodeplugDevVersion)));

    AddPageRows(report, kSettingsPage, kSettingsTitle, SettingsPageRows(), p,
                docs.GetVisibleControls(QLatin1String(kSettingsPage), p.display));
    AddPageRows(report, kAudioSettingsPage, kAudioTitle, AudioSettingsPageRows(), p,
                docs.GetVisibleControls(QLatin1String(kAudioSettingsPage), p.display));
    AddButtons(report, p, doc, docs);
    AddChannelTexts(doc, p, decimalSeparator, scramble);
}

} // namespace tavo
