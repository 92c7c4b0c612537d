// report handout|detailed PROFILE OUT through the built command-line tool.

#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavo::test;

TEST(ReportCli, HandoutAndDetailedAsHtmlAndPdf)
{
    QTemporaryDir dir;
    // The tool's user settings and cache go to the temporary folder.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME"), cache = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", dir.filePath(QStringLiteral("cache")).toLocal8Bit());
    const QString profile = QStringLiteral(TAVO_TEST_DATA_DIR "/demo-OUD11602.xml");

    const QString htm = dir.filePath(QStringLiteral("handout.htm"));
    CliResult r = RunCli({QStringLiteral("report"), QStringLiteral("handout"), profile, htm});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray bytes = ReadFileBytes(htm);
    EXPECT_TRUE(bytes.startsWith("\xFF\xFE<\0!\0"));
    EXPECT_TRUE(bytes.endsWith(QByteArray(">\0\n\0\0\0", 6)));
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2), bytes.size() / 2 - 2);
    EXPECT_TRUE(text.contains(QStringLiteral("Vantrel Radio Dealer<BR>Address<BR>")));
    EXPECT_FALSE(text.contains(QStringLiteral("$#")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("Display.jpg"))));

    const QString pdf = dir.filePath(QStringLiteral("detailed.pdf"));
    r = RunCli({QStringLiteral("report"), QStringLiteral("detailed"), profile, pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(ReadFileBytes(pdf).startsWith("%PDF"));

    r = RunCli({QStringLiteral("report"), QStringLiteral("summary"), profile, htm});
    EXPECT_EQ(r.exitCode, 2);
    r = RunCli({QStringLiteral("report"), QStringLiteral("detailed"), dir.filePath(QStringLiteral("none.xml")), htm});
    EXPECT_EQ(r.exitCode, 1);

    qputenv("XDG_CONFIG_HOME", config);
    qputenv("XDG_CACHE_HOME", cache);
}
