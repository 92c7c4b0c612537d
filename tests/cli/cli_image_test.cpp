// image2profile and profile2image through the built command-line tool.

#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include "codeplug/VirtualCP.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavo;
using namespace tavo::test;

namespace {
const QString kSample = QStringLiteral(TAVO_SOURCE_DIR "/install/samples/demo-OUD11602.img");

void WriteAll(const QString &path, const QByteArray &bytes)
{
    ASSERT_TRUE(WriteFileBytes(path, bytes)) << path.toStdString();
}
} // namespace

TEST(CliImage, ImageToProfileAndBack)
{
    QTemporaryDir dir;
    const CliResult text = RunCli({QStringLiteral("image2profile"), kSample});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"));
    EXPECT_TRUE(text.out.contains("<frequency freq=\"446006250\" "));
    EXPECT_EQ(ReadFileBytes(QStringLiteral(TAVO_TEST_DATA_DIR "/demo-OUD11602.xml")), text.out);

    const QString xmlPath = dir.filePath(QStringLiteral("demo.xml"));
    const QString imgPath = dir.filePath(QStringLiteral("demo.img"));
    WriteAll(xmlPath, text.out);
    const CliResult back = RunCli({QStringLiteral("profile2image"), xmlPath, imgPath});
    ASSERT_EQ(back.exitCode, 0) << back.err.toStdString();
    const QByteArray original = ReadFileBytes(kSample);
    const QByteArray image = ReadFileBytes(imgPath);
    ASSERT_EQ(image.size(), 2089);
    // Frequency slot 0 comes back byte for byte.
    EXPECT_EQ(image.mid(504, 16).toHex(), original.mid(504, 16).toHex());
    // So does every channel's data (the checksum byte is the radio's).
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(image.mid(111 + 20 * i, 19).toHex(), original.mid(111 + 20 * i, 19).toHex()) << i;
}

TEST(CliImage, RefusesBadInputWithoutWritingAnything)
{
    QTemporaryDir dir;
    const QString shortImage = dir.filePath(QStringLiteral("short.img"));
    WriteAll(shortImage, QByteArray(2088, '\0'));
    CliResult r = RunCli({QStringLiteral("image2profile"), shortImage});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("is not a codeplug image")) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    const QString longImage = dir.filePath(QStringLiteral("long.img"));
    WriteAll(longImage, QByteArray(3000, '\0'));
    EXPECT_EQ(RunCli({QStringLiteral("image2profile"), longImage}).exitCode, 1);

    // A zeroed image has no valid serial number.
    const QString zero = dir.filePath(QStringLiteral("zero.img"));
    WriteAll(zero, QByteArray(2089, '\0'));
    r = RunCli({QStringLiteral("image2profile"), zero});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Invalid serial number")) << r.err.toStdString();

    EXPECT_EQ(RunCli({QStringLiteral("image2profile"), dir.filePath(QStringLiteral("missing.img"))}).exitCode, 1);

    // A damaged profile: refused by its load (schema and all) with the
    // load error, and no image file.
    const QString broken = dir.filePath(QStringLiteral("broken.xml"));
    WriteAll(broken, "<TavoProfile xmlns=\"urn:vantrel:tavo:profile:1\"><limit/></TavoProfile>");
    const QString out = dir.filePath(QStringLiteral("out.img"));
    r = RunCli({QStringLiteral("profile2image"), broken, out});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Invalid profile.")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("CRadioDataModel::LoadProfile")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    // An existing image is left as it was when the conversion fails.
    WriteAll(out, "keep me");
    EXPECT_EQ(RunCli({QStringLiteral("profile2image"), broken, out}).exitCode, 1);
    EXPECT_EQ(ReadFileBytes(out), QByteArray("keep me"));
}

TEST(CliImage, UsageErrorsExitWith2)
{
    EXPECT_EQ(RunCli({}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("image2profile")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("image2profile"), kSample, QStringLiteral("extra")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("no-such-command")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("image2profile"), kSample, QStringLiteral("--bogus")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("image2profile"), QStringLiteral("--port")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("--help")}).exitCode, 0);
}
