// What a crafted file may cost: no document type declaration, no file or
// network fetch outside the installation, a schema that compiles whole or
// not at all, a size cap on every text file, quoted lines cut short.

#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include "base/CTavoCPSException.h"
#include "base/TemplateFile.h"
#include "base/XmlDom.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::test;

namespace {

const QString kInstall = QStringLiteral(TAVO_SOURCE_DIR "/install");

QString SampleProfile()
{
    const CliResult r = RunCli({QStringLiteral("image2profile"), QStringLiteral(TAVO_SOURCE_DIR "/install/samples/demo-OUD11602.img")});
    EXPECT_EQ(r.exitCode, 0);
    return QString::fromUtf8(r.out);
}

// A copy of the installation whose schema gets `declaration` as its first
// child.
QString InstallationWithSchemaLine(const QTemporaryDir &dir, const QString &name, const QByteArray &declaration)
{
    const QString root = dir.filePath(name);
    EXPECT_EQ(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), kInstall, root}), 0);
    const QString xsd = root + QStringLiteral("/profiletemplate/DataProfile.xsd");
    QByteArray schema = ReadFileBytes(xsd);
    const int open = schema.indexOf('>', schema.indexOf("<xs:schema"));
    schema.insert(open + 1, "\n" + declaration);
    EXPECT_TRUE(WriteFileBytes(xsd, schema));
    return root;
}

const QByteArray kExtraSchema =
    "<?xml version=\"1.0\"?>\n<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
    "targetNamespace=\"urn:vantrel:tavo:profile:1\"><xs:simpleType name=\"unusedExtra\">"
    "<xs:restriction base=\"xs:string\"/></xs:simpleType></xs:schema>\n";

} // namespace

TEST(XmlSafety, DocumentTypeDeclarationsAreRefusedBeforeTheirSubsetIsRead)
{
    // 10 000 references to a 10 000-character entity: refused at once.
    QByteArray text = "<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY e \"" + QByteArray(10000, 'x') + "\">]>\n<a>";
    for (int i = 0; i < 10000; ++i)
        text += "&e;";
    text += "</a>";
    XmlParseError error;
    EXPECT_FALSE(ParseXml(text, &error));
    EXPECT_TRUE(error.reason.contains(QStringLiteral("document type declaration"))) << error.reason.toStdString();
    EXPECT_EQ(error.line, 2);
    EXPECT_LE(error.sourceLine.size(), kMaxQuotedChars + 6);
    EXPECT_FALSE(ParseSettingText(QStringLiteral("<!DOCTYPE a SYSTEM \"/etc/passwd\"><a/>")));

    // A profile with one is refused with the load error.
    QTemporaryDir dir;
    QString profile = SampleProfile();
    profile.insert(profile.indexOf(QStringLiteral("<TavoProfile")), QStringLiteral("<!DOCTYPE TavoProfile [<!ENTITY n \"PMR\">]>\r\n"));
    const QString path = dir.filePath(QStringLiteral("dtd.xml"));
    ASSERT_TRUE(WriteFileBytes(path, profile.toUtf8()));
    const CliResult r = RunCli({QStringLiteral("validate"), path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("Invalid profile.")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("document type declaration")) << r.err.toStdString();
}

TEST(XmlSafety, SchemaReachesOnlyTheInstallationAndCompilesWhole)
{
    QTemporaryDir dir;
    const QString profile = dir.filePath(QStringLiteral("p.xml"));
    ASSERT_TRUE(WriteFileBytes(profile, SampleProfile().toUtf8()));
    ASSERT_TRUE(WriteFileBytes(dir.filePath(QStringLiteral("outside.xsd")), kExtraSchema));

    const struct {
        const char *name;
        QByteArray declaration;
    } refused[] = {
        {"network", "<xs:include schemaLocation=\"http://127.0.0.1:9/extra.xsd\"/>"},
        {"system", "<xs:include schemaLocation=\"/etc/passwd\"/>"},
        {"outside", "<xs:include schemaLocation=\"../../outside.xsd\"/>"},
        {"missing-import", "<xs:import namespace=\"urn:elsewhere\" schemaLocation=\"missing.xsd\"/>"},
    };
    for (const auto &c : refused) {
        const QString root = InstallationWithSchemaLine(dir, QLatin1String(c.name), c.declaration);
        const CliResult r = RunCli({QStringLiteral("--install-dir"), root, QStringLiteral("validate"), profile});
        EXPECT_EQ(r.exitCode, 1) << c.name;
        EXPECT_TRUE(r.err.contains("DataProfile.xsd cannot be used")) << c.name << ": " << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("root:")) << r.err.toStdString();
    }

    // An include beside the schema resolves there, whatever the current folder.
    const QString root = InstallationWithSchemaLine(dir, QStringLiteral("beside"), "<xs:include schemaLocation=\"extra.xsd\"/>");
    ASSERT_TRUE(WriteFileBytes(root + QStringLiteral("/profiletemplate/extra.xsd"), kExtraSchema));
    const CliResult r = RunCli({QStringLiteral("--install-dir"), root, QStringLiteral("validate"), profile});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}

TEST(XmlSafety, FilesAboveTheCapAndLongLinesAreNotTakenWhole)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.stv"));
    ASSERT_TRUE(WriteFileBytes(big, "<?xml version=\"1.0\"?><a>" + QByteArray(kMaxTextFileBytes, ' ') + "</a>"));
    QString text;
    try {
        LoadTemplateFile(big, text);
        ADD_FAILURE() << "an oversized file was read";
    } catch (const CTavoCPSException &e) {
        EXPECT_EQ(e.m_nMsgID, 131);
    }
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(LoadProfileFile(big, text));

    const QByteArray line = "<a b=\"" + QByteArray(100000, 'x') + "<\"/>";
    XmlParseError error;
    EXPECT_FALSE(ParseXml(line, &error));
    EXPECT_LE(error.sourceLine.size(), kMaxQuotedChars + 6);
    EXPECT_TRUE(error.sourceLine.contains(QStringLiteral("x<"))) << error.sourceLine.toStdString();
}
