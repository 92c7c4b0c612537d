// An installation in a folder whose path holds spaces: the style sheets
// include their shared part by a relative reference, which the XML library
// hands over percent-encoded ("My%20Programs"); both reports still build.

#include "ReportFixture.h"

#include "reports/ReportGenerator.h"

using namespace tavo;
using namespace tavo::test;

TEST_F(ReportTest, BothReportsBuildFromAnInstallationInAFolderWithSpaces)
{
    const QString install = m_dir.filePath(QStringLiteral("My Programs/Tavo CPS"));
    for (const QString folder : {QStringLiteral("Report"), QStringLiteral("profiletemplate"), QStringLiteral("lib")})
        CopyFolder(SourceInstall() + QLatin1Char('/') + folder, install + QLatin1Char('/') + folder);
    SetInstallPathOverride(install);
    const QString xml = LoadedProfile(QStringLiteral("OUD11602"), {});
    for (ReportKind kind : {ReportKind::Handout, ReportKind::Detailed}) {
        QString html;
        EXPECT_TRUE(BuildReportHtml(kind, xml, html)) << m_sink.last().toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("</html>"), Qt::CaseInsensitive));
        EXPECT_FALSE(html.contains(QStringLiteral("$#")));
    }
}
