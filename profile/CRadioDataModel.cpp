#include "profile/CRadioDataModel.h"
#include "profile/ProfileChecks.h"
#include "base/CTavoCPSException.h"
#include "base/ProfileNamespaces.h"
#include "config/SettingDocuments.h"
#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QRegularExpression>

#include <memory>
#include <mutex>

#include <libxml/xmlschemas.h>

namespace tavo {

QString RuleFilePath()
{
    return InstallFilePath(QLatin1String(kProfileTemplateFolder), QStringLiteral("DataProfile.lua"));
}

QString SchemaFilePath()
{
    return InstallFilePath(QLatin1String(kProfileTemplateFolder), QStringLiteral("DataProfile.xsd"));
}

// The schema text last read, compiled for validation and indexed for the
// data items. Reused while the installed text stays the same.
struct CompiledSchema {
    QString text;
    XmlDocPtr doc;
    xmlSchema *schema = nullptr;
    SchemaIndexPtr index;
    ~CompiledSchema()
    {
        if (schema)
            xmlSchemaFree(schema);
    }
};

namespace {

struct FirstError {
    QString message;
    QString element; // the element the error is about, when known
    int line = 0;
    int column = 0;
    bool set = false;
};

void CollectError(void *ctx, const xmlError *error)
{
    FirstError *first = static_cast<FirstError *>(ctx);
    if (first->set || !error)
        return;
    first->set = true;
    first->message = QString::fromUtf8(error->message ? error->message : "").trimmed();
    first->line = error->line;
    first->column = error->int2;
    const xmlNode *node = static_cast<const xmlNode *>(error->node);
    if (node && node->type == XML_ELEMENT_NODE && node->name)
        first->element = QString::fromUtf8(reinterpret_cast<const char *>(node->name));
}

void CollectErrorCompat(void *ctx, xmlErrorPtr error)
{
    CollectError(ctx, error);
}

// Reads and compiles the schema; a text that does not compile raises 136.
// The schema's own location anchors its includes and imports.
std::unique_ptr<CompiledSchema> CompileSchema(const QString &text)
{
    auto compiled = std::make_unique<CompiledSchema>();
    compiled->text = text;
    XmlParseError parseError;
    compiled->doc = ParseSettingText(text, &parseError, SchemaFilePath());
    if (!compiled->doc)
        ThrowCPSException(msg::FailedToLoadProfile,
                          FormatLibraryError(parseError.reason, QStringLiteral("The schema DataProfile.xsd is not well-formed"),
                                             QStringLiteral("Line %1").arg(parseError.line)),
                          "CRadioDataModel::LoadProfile", __LINE__);
    XmlParseError error;
    compiled->schema = CompileXmlSchema(compiled->doc.get(), &error).release();
    if (!compiled->schema)
        ThrowCPSException(msg::FailedToLoadProfile,
                          FormatLibraryError(error.reason, QStringLiteral("The schema DataProfile.xsd cannot be used"),
                                             QStringLiteral("Line %1").arg(error.line)),
                          "CRadioDataModel::LoadProfile", __LINE__);
    compiled->index = std::make_shared<SchemaIndex>(compiled->doc.get());
    return compiled;
}

QString FormatLoadingError(const QString &source, const QString &reason, int line, int column, const QString &sourceLine)
{
    return QString::asprintf(LoadString(msg::ProfileLoadingError).toUtf8().constData(), source.toUtf8().constData(),
                             reason.toUtf8().constData(), line, column, sourceLine.toUtf8().constData());
}

// The validator reports no column: the position (from 1) of what the
// message names on its line, the attribute ("attribute 'x'") or else the
// element's start tag; 0 when neither is found.
int ValidationColumn(const FirstError &error, const QString &sourceLine)
{
    if (error.column > 0)
        return error.column;
    static const QRegularExpression attribute(QStringLiteral("attribute '([^']+)'"));
    const QRegularExpressionMatch m = attribute.match(error.message);
    int at = -1;
    if (m.hasMatch())
        at = sourceLine.indexOf(QRegularExpression(QStringLiteral("\\b%1\\s*=").arg(QRegularExpression::escape(m.captured(1)))));
    if (at < 0 && !error.element.isEmpty())
        at = sourceLine.indexOf(QRegularExpression(QStringLiteral("<(\\w+:)?%1\\b").arg(QRegularExpression::escape(error.element))));
    return at < 0 ? 0 : at + 1;
}

// Parses and validates a profile text; null with the loading-error text
// (message 223 filled in) when it is not well-formed or not valid.
// The compiled schema of `text`, shared by every model of the process
// (compiled once, read only afterwards: each validation has a context of
// its own).
std::shared_ptr<const CompiledSchema> SharedSchema(const QString &text)
{
    static std::mutex lock;
    static std::shared_ptr<const CompiledSchema> last;
    const std::lock_guard<std::mutex> held(lock);
    if (!last || last->text != text)
        last = CompileSchema(text);
    return last;
}

XmlDocPtr ParseAndValidate(const QString &source, const QString &text, const CompiledSchema &schema, QString &loadingError)
{
    XmlParseError parseError;
    XmlDocPtr doc = ParseSettingText(text, &parseError);
    if (!doc) {
        loadingError = FormatLoadingError(source, parseError.reason, parseError.line, parseError.column, parseError.sourceLine);
        return nullptr;
    }
    xmlSchemaValidCtxt *validator = xmlSchemaNewValidCtxt(schema.schema);
    if (!validator)
        ThrowCPSException(msg::FatalXmlComponent, QStringLiteral("create Msxml2.DOMDocument.4.0 failed"),
                          "CRadioDataModel::LoadProfile", __LINE__);
    FirstError error;
    xmlSchemaSetValidStructuredErrors(validator, &CollectErrorCompat, &error);
    const int rc = xmlSchemaValidateDoc(validator, doc.get());
    xmlSchemaFreeValidCtxt(validator);
    if (rc != 0) {
        // The column is found on the whole line; the message quotes a
        // readable part of it around that column.
        const QByteArray utf8 = text.toUtf8();
        const int column = ValidationColumn(error, WholeSourceLineOf(utf8, error.line));
        loadingError = FormatLoadingError(source, error.set ? QuotedForMessage(error.message) : QStringLiteral("The profile is not valid."),
                                          error.line, column, SourceLineOf(utf8, error.line, column));
        return nullptr;
    }
    return doc;
}

} // namespace

CRadioDataModel::CRadioDataModel() = default;

CRadioDataModel::~CRadioDataModel()
{
    // Engine first, then the document, then the root item's references.
    m_spScriptEngine.reset();
    m_spDocument.reset();
    m_rootItem = CDataItem();
}

int CRadioDataModel::Initialize()
{
    auto engine = std::make_shared<ScriptHost>();
    if (!engine->valid())
        ThrowCPSException(msg::FatalScriptEngine, QStringLiteral("CoCreateInstance('VBScript') failed"),
                          "CRadioDataModel::Initialize", __LINE__);
    QString text;
    if (!LoadTemplateFile(RuleFilePath(), text) || text.isEmpty()) {
        ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
        return 0;
    }
    switch (engine->Start(text)) {
    case ScriptHost::StartResult::Ok:
        break;
    case ScriptHost::StartResult::ParseFailed:
        ThrowCPSException(msg::FatalScriptEngine, QStringLiteral("ParseScriptText failed"), "CRadioDataModel::Initialize", __LINE__);
    case ScriptHost::StartResult::RunFailed:
        ThrowCPSException(msg::FatalScriptEngine, QStringLiteral("SetScriptState failed"), "CRadioDataModel::Initialize", __LINE__);
    case ScriptHost::StartResult::NoEngine:
        ThrowCPSException(msg::FatalScriptEngine, QStringLiteral("InitNew failed"), "CRadioDataModel::Initialize", __LINE__);
    }
    m_spScriptEngine = engine;
    m_rootItem.m_spScript = engine;
    m_bScriptReady = 1;
    return 1;
}

int CRadioDataModel::LoadProfile(const QString &source, int fromFile)
{
    return fromFile ? LoadFrom(source, nullptr) : LoadFrom(QString(), &source);
}

int CRadioDataModel::LoadProfileText(const QString &text, const QString &path) { return LoadFrom(path, &text); }

int CRadioDataModel::LoadFrom(const QString &path, const QString *text)
{
    try {
        return LoadProfileGuarded(path, text);
    } catch (CTavoCPSException &e) {
        RethrowCPSException(e, "CRadioDataModel::LoadProfile", __LINE__);
    } catch (const std::bad_alloc &) {
        ThrowCPSException(msg::FailedToLoadProfile,
                          FormatLibraryError(QStringLiteral("Out of memory"), QString(), QStringLiteral("CRadioDataModel::LoadProfile")),
                          "CRadioDataModel::LoadProfile", __LINE__);
    }
}

int CRadioDataModel::ReloadProfile(const QString &text)
{
    const QString source = m_strSource;
    m_bScriptReady = 0;
    const int loaded = LoadProfile(text, 0);
    m_strSource = source;
    return loaded;
}

int CRadioDataModel::LoadProfileGuarded(const QString &path, const QString *given)
{
    if (!m_bScriptReady && !Initialize())
        return 0;

    QString schemaText;
    if (!LoadTemplateFile(SchemaFilePath(), schemaText) || schemaText.isEmpty()) {
        ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!m_schema || m_schema->text != schemaText)
        m_schema = SharedSchema(schemaText);

    QString read;
    // The one reader of profile files: every stored form, decoded once.
    if (!given && !LoadProfileFile(path, read))
        return 0;
    const QString &text = given ? *given : read;

    // A loading error names the file, or else quotes the text as it came.
    QString loadingError;
    XmlDocPtr doc = ParseAndValidate(path.isEmpty() ? text : path, text, *m_schema, loadingError);
    if (!doc)
        ThrowCPSException(msg::InvalidProfile, loadingError, "CRadioDataModel::LoadProfile", __LINE__);

    auto document = std::make_shared<ProfileDocument>(std::move(doc), m_schema->index);
    m_spDocument = document;
    m_rootItem.m_spNode = NodeRef(document, document->root());
    m_strSource = path;
    return 1;
}

bool CRadioDataModel::PrepareForOutput(QString &text, QString &errorText) const
{
    text.clear();
    errorText.clear();
    try {
        if (!m_spDocument || !m_spDocument->doc() || !m_schema || m_rootItem.IsEmpty()) {
            errorText = LoadString(msg::InvalidProfile);
            return false;
        }
        XmlDocPtr copy(xmlCopyDoc(m_spDocument->doc(), 1));
        if (!copy) {
            errorText = LoadString(msg::InvalidProfile);
            return false;
        }
        auto document = std::make_shared<ProfileDocument>(std::move(copy), m_schema->index);
        CDataItem root;
        root.m_spNode = NodeRef(document, document->root());
        CopyReceiveToTransmitWithoutRepeater(root);
        text = QString::fromUtf8(SerializeXml(document->doc()));
        // The text that will be written is checked, exactly as a later load reads it.
        if (ParseAndValidate(m_strSource, text, *m_schema, errorText))
            return true;
    } catch (const CTavoCPSException &e) {
        errorText = LoadString(e.m_nMsgID) + e.m_strMessage;
    }
    text.clear();
    return false;
}

QString CRadioDataModel::GetEffectiveXmlText() const
{
    if (!m_spDocument || !m_spDocument->doc() || !m_schema)
        return QString();
    XmlDocPtr copy(xmlCopyDoc(m_spDocument->doc(), 1));
    if (!copy)
        return QString();
    auto document = std::make_shared<ProfileDocument>(std::move(copy), m_schema->index);
    CDataItem root;
    root.m_spNode = NodeRef(document, document->root());
    root.CopyReceiveToTransmit(true);
    return QString::fromUtf8(SerializeXml(document->doc()));
}

QString CRadioDataModel::GetXmlText() const
{
    return QString::fromUtf8(GetXmlBytes());
}

QByteArray CRadioDataModel::GetXmlBytes() const
{
    return m_spDocument ? m_spDocument->Text() : QByteArray();
}

} // namespace tavo
