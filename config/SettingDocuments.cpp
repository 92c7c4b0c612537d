#include "config/SettingDocuments.h"

#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"
#include "resources/ProcessContext.h"

#include <QRegularExpression>

namespace tavo {

namespace {

constexpr int kButtonSectionLength = 6; // model code without its region code

QByteArray XPathText(const QString &xpath) { return xpath.toUtf8(); }

// A value put inside an XPath string literal: a quote would end the
// literal, so a value holding one can match nothing.
bool IsSafeLiteral(const QString &value) { return !value.contains(QChar(u'\'')); }

// An element name put into an XPath step must be a plain name.
bool IsPlainName(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_.-]*$"));
    return re.match(name).hasMatch();
}

bool IsComment(const xmlNode *node) { return node->type == XML_COMMENT_NODE; }

// Decimal text to integer, stopping at the first non-digit ("" and text
// without leading digits give 0).
int LeadingDecimal(const QString &text)
{
    long long n = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            break;
        n = n * 10 + (c.unicode() - u'0');
        if (n > 0x7FFFFFFF)
            return 0x7FFFFFFF;
    }
    return static_cast<int>(n);
}

[[noreturn]] void ThrowMissing(const QString &xpath, const char *function)
{
    ThrowCPSException(msg::UnknownError,
                      FormatLibraryError(QStringLiteral("Object required"),
                                         QStringLiteral("no node matches %1").arg(xpath), QLatin1String(function)),
                      function, __LINE__);
}

} // namespace

// ---- loading

XmlDocPtr LoadSettingDoc(const QString &fileName, bool inLib)
{
    const QString path = InstallFilePath(QLatin1String(inLib ? kLibFolder : kReportFolder), fileName);
    QString text;
    try {
        if (!LoadTemplateFile(path, text)) {
            ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
            return nullptr;
        }
    } catch (CTavoCPSException &e) {
        RethrowCPSException(e, "LoadSettingDoc", __LINE__);
    }
    XmlDocPtr doc = ParseSettingText(text);
    if (!doc) {
        ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
        return nullptr;
    }
    return doc;
}

bool IsDisplayModel(const QString &model)
{
    return model.size() > 2 && model.at(2).toUpper() == QLatin1Char('D');
}

QString DisplayTypeName(const QString &model)
{
    return IsDisplayModel(model) ? QStringLiteral("Display") : QStringLiteral("NonDisplay");
}

bool SettingDocuments::LoadAll()
{
    static const struct {
        Document which;
        const char *file;
    } kOrder[] = {
        {VisibleSetting, kVisibleSettingFile},
        {ButtonList, kButtonListFile},
        {Region, kRegionFile},
        {HelpPanMap, kHelpPanMapFile},
    };
    for (const auto &d : kOrder) {
        XmlDocPtr doc = LoadSettingDoc(QLatin1String(d.file), true);
        if (!doc)
            return false;
        m_docs[d.which] = std::move(doc);
    }
    return true;
}

bool SettingDocuments::InitRegionData(const QString &edition)
{
    try {
        m_strRegionName = GetRegionName();
        QString stem = m_strRegionName;
        stem.remove(QLatin1String("CPS"));
        if (!edition.contains(stem)) {
            ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
            return false;
        }
        m_listSubRegions = LoadSubRegions();
        m_mapModelRegions.clear();
        m_mapSubModelRegions.clear();
        if (!LoadModelRegions(m_mapModelRegions) || !LoadSubModelRegions(m_mapSubModelRegions))
            return false;
    } catch (const CTavoCPSException &e) {
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void SettingDocuments::SetDocument(Document which, XmlDocPtr doc)
{
    m_docs[which] = std::move(doc);
}

bool SettingDocuments::IsLoaded() const
{
    for (const XmlDocPtr &d : m_docs)
        if (!d)
            return false;
    return true;
}

std::vector<xmlNode *> SettingDocuments::Select(Document which, const QString &xpath) const
{
    std::vector<xmlNode *> nodes;
    XmlXPath x(m_docs[which].get());
    if (!x.valid())
        return nodes;
    for (xmlNode *n : x.Select(XPathText(xpath).constData()))
        if (!IsComment(n))
            nodes.push_back(n);
    return nodes;
}

xmlNode *SettingDocuments::RequireFirst(Document which, const QString &xpath, const char *function) const
{
    const std::vector<xmlNode *> nodes = Select(which, xpath);
    if (nodes.empty())
        ThrowMissing(xpath, function);
    return nodes.front();
}

// ---- Region.stv

QString SettingDocuments::GetRegionName() const
{
    return XmlAttribute(RequireFirst(Region, QStringLiteral("//dfns:Region"), "SettingDocuments::GetRegionName"), "name");
}

QString SettingDocuments::GetProductVersion() const
{
    return XmlAttribute(
        RequireFirst(Region, QStringLiteral("//dfns:ProductVersion"), "SettingDocuments::GetProductVersion"), "value");
}

int SettingDocuments::IsSupported(const QString &value) const
{
    const QString xpath = QStringLiteral("//dfns:Support/dfns:*");
    const std::vector<xmlNode *> nodes = Select(Region, xpath);
    if (nodes.empty() && Select(Region, QStringLiteral("//dfns:Support")).empty())
        ThrowMissing(xpath, "SettingDocuments::IsSupported");
    for (xmlNode *n : nodes)
        if (XmlAttribute(n, "num") == value)
            return 1;
    return 0;
}

int SettingDocuments::GetCPVersion() const
{
    const std::vector<xmlNode *> nodes = Select(Region, QStringLiteral("//dfns:CPVersion"));
    if (nodes.empty())
        return 1;
    xmlChar *content = xmlNodeGetContent(nodes.front());
    const QString text = content ? QString::fromUtf8(reinterpret_cast<const char *>(content)).trimmed() : QString();
    xmlFree(content);
    return LeadingDecimal(text);
}

namespace {
bool LoadRegionMap(const std::vector<xmlNode *> &nodes, QHash<int, QString> &map)
{
    for (xmlNode *n : nodes)
        map.insert(LeadingDecimal(XmlAttribute(n, "code")), XmlAttribute(n, "name"));
    return true;
}
} // namespace

bool SettingDocuments::LoadModelRegions(QHash<int, QString> &map) const
{
    const QString xpath = QStringLiteral("//dfns:ModelRegions/dfns:*");
    if (Select(Region, QStringLiteral("//dfns:ModelRegions")).empty())
        ThrowMissing(xpath, "SettingDocuments::LoadModelRegions");
    return LoadRegionMap(Select(Region, xpath), map);
}

bool SettingDocuments::LoadSubModelRegions(QHash<int, QString> &map) const
{
    const QString xpath = QStringLiteral("//dfns:SubModelRegions/dfns:*");
    if (Select(Region, QStringLiteral("//dfns:SubModelRegions")).empty())
        ThrowMissing(xpath, "SettingDocuments::LoadSubModelRegions");
    return LoadRegionMap(Select(Region, xpath), map);
}

QStringList SettingDocuments::GetSupportLanguages() const
{
    const QString xpath = QStringLiteral("//dfns:SupportLanguages/dfns:*");
    if (Select(Region, QStringLiteral("//dfns:SupportLanguages")).empty())
        ThrowMissing(xpath, "SettingDocuments::GetSupportLanguages");
    QStringList keys;
    for (xmlNode *n : Select(Region, xpath))
        keys.append(XmlAttribute(n, "name"));
    return keys;
}

QString SettingDocuments::GetLanguageDisplayName(const QString &key) const
{
    if (IsSafeLiteral(key)) {
        const std::vector<xmlNode *> nodes =
            Select(Region, QStringLiteral("//dfns:SupportLanguages/dfns:language[@name='%1']").arg(key));
        if (!nodes.empty()) {
            const QString name = XmlAttribute(nodes.front(), "displayName");
            if (!name.isEmpty())
                return name;
        }
    }
    return QStringLiteral(" ");
}

QStringList SettingDocuments::LoadSubRegions() const
{
    QStringList list;
    for (xmlNode *n : Select(Region, QStringLiteral("//dfns:SubRegion/dfns:*")))
        list.append(XmlAttribute(n, "num"));
    return list;
}

bool SettingDocuments::IsCodeplugSupported(const QString &phase, int version) const
{
    return phase == QLatin1String("D") || GetCPVersion() >= version;
}

int SettingDocuments::IsSubRegionSupported(const QString &value) const
{
    return m_listSubRegions.isEmpty() || m_listSubRegions.contains(value) ? 1 : 0;
}

// ---- VisibleSetting.stv

std::vector<xmlNode *> SettingDocuments::GetVisibleSettingEntries(const QString &pageName) const
{
    const QString region = m_strRegionName.isEmpty() ? GetRegionName() : m_strRegionName;
    if (!IsPlainName(region) || !IsPlainName(pageName))
        return {};
    return Select(VisibleSetting, QStringLiteral("//dfns:%1/dfns:%2/dfns:*").arg(region, pageName));
}

QHash<int, bool> SettingDocuments::GetVisibleControls(const QString &pageName, bool display) const
{
    QHash<int, bool> controls;
    auto addEntry = [&controls](xmlNode *entry) {
        bool hasVisible = false;
        const QString visible = XmlAttribute(entry, "isVisible", &hasVisible);
        const int id = LeadingDecimal(XmlAttribute(entry, "id"));
        const bool shown = !hasVisible || visible.trimmed().toInt() != 0;
        // A hiding entry wins over one that leaves the control alone.
        controls.insert(id, controls.value(id, true) && shown);
    };
    const QString section = display ? QStringLiteral("Display") : QStringLiteral("NonDisplay");
    for (xmlNode *entry : GetVisibleSettingEntries(pageName)) {
        const QString name = XmlNodeName(entry);
        if (name == QLatin1String("Display") || name == QLatin1String("NonDisplay")) {
            if (name != section)
                continue;
            for (xmlNode *c = entry->children; c; c = c->next)
                if (c->type == XML_ELEMENT_NODE && XmlNodeName(c) == QLatin1String("Control"))
                    addEntry(c);
        } else {
            addEntry(entry);
        }
    }
    return controls;
}

// ---- HelpPanMap.stv

void SettingDocuments::GetHelpPageName(const QString &pageName, const QString &controlId, QString &page) const
{
    if (!IsPlainName(pageName) || !IsSafeLiteral(controlId))
        return;
    const std::vector<xmlNode *> nodes =
        Select(HelpPanMap, QStringLiteral("//dfns:%1/dfns:map[@id='%2']").arg(pageName, controlId));
    if (!nodes.empty())
        page = XmlAttribute(nodes.front(), "pageName");
}

QString SettingDocuments::GetPageHelpName(const QString &pageName) const
{
    if (!IsPlainName(pageName))
        return QString();
    const std::vector<xmlNode *> nodes = Select(HelpPanMap, QStringLiteral("//dfns:%1/dfns:map[1]").arg(pageName));
    if (nodes.empty())
        return QString();
    return XmlAttribute(nodes.front(), "pageName").section(QLatin1Char('#'), 0, 0);
}

// ---- ButtonList.stv

QString SettingDocuments::ButtonSectionName(const QString &model)
{
    return model.left(kButtonSectionLength);
}

QString SettingDocuments::DisplayGroupName(const QString &model)
{
    return QLatin1String(IsDisplayModel(model) ? kGroupDisplay : kGroupNonDisplay);
}

std::vector<ButtonFeature> SettingDocuments::GetButtonFeatures(const QString &model, const QString &group) const
{
    std::vector<ButtonFeature> features;
    const QString section = ButtonSectionName(model);
    if (!IsPlainName(section) || !IsPlainName(group))
        return features;
    for (xmlNode *n : Select(ButtonList, QStringLiteral("//dfns:%1/dfns:%2/dfns:*").arg(section, group))) {
        ButtonFeature f;
        f.m_strName = XmlAttribute(n, "Name");
        f.m_nValue = XmlAttribute(n, "Value").trimmed().toInt();
        f.m_strDependName = XmlAttribute(n, "DependName");
        f.m_nDependType = XmlAttribute(n, "DependType").trimmed().toInt() != 0 ? 1 : 0;
        features.push_back(f);
    }
    return features;
}

QString SettingDocuments::GetButtonImageFile(const QString &model) const
{
    const QString section = ButtonSectionName(model);
    if (!IsPlainName(section))
        return QString();
    const std::vector<xmlNode *> nodes = Select(ButtonList, QStringLiteral("//dfns:%1/dfns:IMAGE").arg(section));
    if (nodes.empty())
        return QString();
    return XmlAttribute(nodes.front(), IsDisplayModel(model) ? "Display" : "NonDisplay");
}

std::vector<ModelEntry> SettingDocuments::GetModelList() const
{
    std::vector<ModelEntry> models;
    for (xmlNode *n : Select(ButtonList, QStringLiteral("//dfns:ModelList/dfns:*")))
        models.push_back({XmlAttribute(n, "code"), XmlAttribute(n, "family")});
    return models;
}

void SettingDocuments::LocalizeButtonFeatureNames()
{
    if (m_bButtonNamesLocalized || !m_docs[ButtonList])
        return;
    m_bButtonNamesLocalized = true;
    // English feature name -> string-table text.
    static const struct {
        const char *english;
        int id;
    } kNames[] = {
        {"Monitor", 416}, {"Scan/Nuisance Channel Delete", 417}, {"Call Tone", 207}, {"Tx Power Selection", 419},
        {"Scramble", 237}, {"Repeater/Talkaround", 421}, {"No Operation", 422}, {"Backlight", 423},
        {"Preset 1", 424}, {"Preset 2", 425},
    };
    for (xmlNode *n : Select(ButtonList, QStringLiteral("//dfns:*[@Name]"))) {
        const QString name = XmlAttribute(n, "Name");
        for (const auto &e : kNames) {
            const QString text = LoadString(e.id);
            if (name == QLatin1String(e.english) && !text.isEmpty()) {
                SetXmlAttribute(n, "Name", text);
                break;
            }
        }
    }
}

SettingDocuments &AppSettingDocuments()
{
    // Held by the process context: a test fixture that restores the context
    // gets back the documents object it started with.
    static ContextValue<std::shared_ptr<SettingDocuments>> docs(std::make_shared<SettingDocuments>());
    return *docs.Get();
}

} // namespace tavo
