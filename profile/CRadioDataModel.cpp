#include "profile/CRadioDataModel.h"
#include "base/CTavoCPSException.h"
#include "base/ProfileNamespaces.h"
#include "config/CSettingDocuments.h"
#include "config/Registry.h"
#include "base/TemplateFile.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

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
    auto engine = std::make_shared<CScriptHost>();
    if (!engine->valid())
        ThrowCPSException(msg::FatalScriptEngine, QStringLiteral("CoCreateInstance('VBScript') failed"),
                          "CRadioDataModel::Initialize", __LINE__);
    QString text;
    if (!LoadTemplateFile(RuleFilePath(), text) || text.isEmpty()) {
        ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
        return 0;
    }
    switch (engine->Start(text)) {
    case CScriptHost::StartResult::Ok:
        break;
    case CScriptHost::StartResult::ParseFailed:
        ThrowCPSException(msg::FatalScriptEngine, QStringLiteral("ParseScriptText failed"), "CRadioDataModel::Initialize", __LINE__);
    case CScriptHost::StartResult::RunFailed:
        ThrowCPSException(msg::FatalScriptEngine, QStringLiteral("SetScriptState failed"), "CRadioDataModel::Initialize", __LINE__);
    case CScriptHost::StartResult::NoEngine:
        ThrowCPSException(msg::FatalScriptEngine, QStringLiteral("InitNew failed"), "CRadioDataModel::Initialize", __LINE__);
    }
    m_spScriptEngine = engine;
    m_rootItem.m_spScript = engine;
    m_bScriptReady = 1;
    return 1;
}

int CRadioDataModel::LoadProfile(const QString &source, int fromFile)
{
    try {
        return LoadProfileGuarded(source, fromFile);
    } catch (CTavoCPSException &e) {
        RethrowCPSException(e, "CRadioDataModel::LoadProfile", __LINE__);
    } catch (const std::bad_alloc &) {
        ThrowCPSException(msg::FailedToLoadProfile,
                          FormatLibraryError(QStringLiteral("Out of memory"), QString(), QStringLiteral("CRadioDataModel::LoadProfile")),
                          "CRadioDataModel::LoadProfile", __LINE__);
    }
}

int CRadioDataModel::LoadProfileGuarded(const QString &source, int fromFile)
{
    if (!m_bScriptReady && !Initialize())
        return 0;

    QString schemaText;
    if (!LoadTemplateFile(SchemaFilePath(), schemaText) || schemaText.isEmpty()) {
        ShowMessage(msg::FilesNotAvailable, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (!m_schema || m_schema->text != schemaText)
        m_schema = CompileSchema(schemaText);

    QString text;
    if (fromFile) {
        // The one reader of profile files: every stored form, decoded once.
        if (!LoadProfileFile(source, text))
            return 0;
    } else {
        text = source;
    }

    XmlParseError parseError;
    XmlDocPtr doc = ParseSettingText(text, &parseError);
    if (!doc)
        ThrowCPSException(msg::InvalidProfile,
                          FormatLoadingError(source, parseError.reason, parseError.line, parseError.column, parseError.sourceLine),
                          "CRadioDataModel::LoadProfile", __LINE__);

    xmlSchemaValidCtxt *validator = xmlSchemaNewValidCtxt(m_schema->schema);
    if (!validator)
        ThrowCPSException(msg::FatalXmlComponent, QStringLiteral("create Msxml2.DOMDocument.4.0 failed"),
                          "CRadioDataModel::LoadProfile", __LINE__);
    FirstError error;
    xmlSchemaSetValidStructuredErrors(validator, &CollectErrorCompat, &error);
    const int rc = xmlSchemaValidateDoc(validator, doc.get());
    xmlSchemaFreeValidCtxt(validator);
    if (rc != 0) {
        const QByteArray utf8 = text.toUtf8();
        ThrowCPSException(msg::InvalidProfile,
                          FormatLoadingError(source, error.set ? QuotedForMessage(error.message) : QStringLiteral("The profile is not valid."),
                                             error.line, error.column, SourceLineOf(utf8, error.line, error.column)),
                          "CRadioDataModel::LoadProfile", __LINE__);
    }

    auto document = std::make_shared<ProfileDocument>(std::move(doc), m_schema->index);
    m_spDocument = document;
    m_rootItem.m_spNode = NodeRef(document, document->root());
    return 1;
}

QString CRadioDataModel::GetXmlText() const
{
    return m_spDocument && m_spDocument->doc() ? QString::fromUtf8(SerializeXml(m_spDocument->doc())) : QString();
}
} // namespace tavo
