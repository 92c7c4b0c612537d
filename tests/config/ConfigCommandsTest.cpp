// decode and encode on the command line: a profile file stored by encode
// decodes to the same text, whatever it holds.

#include "base/TemplateFile.h"
#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using tavo::test::CliResult;
using tavo::test::ReadFileBytes;
using tavo::test::RunCli;

const QString kCli = QStringLiteral(TAVO_BIN_DIR "/tavocps-cli");

} // namespace

TEST(ConfigCommands, EncodeThenDecodeGivesBackTheText)
{
    if (!QFileInfo::exists(kCli))
        GTEST_SKIP() << "tavocps-cli not built";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The key's own code unit, a non-ASCII text and both line ends.
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
                                        "<TavoProfile xmlns=\"urn:vantrel:tavo:profile:1\">\n"
                                        "  <setting powerupString=\"\u00a5 Caf\u00e9\"/>\n</TavoProfile>\r\n");
    const QString xml = dir.filePath(QStringLiteral("in.xml"));
    const QString kp2 = dir.filePath(QStringLiteral("out.kp2"));
    {
        QFile f(xml);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    CliResult r = RunCli({QStringLiteral("encode"), xml, kp2});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QByteArray stored = ReadFileBytes(kp2);
    ASSERT_GE(stored.size(), 2);
    EXPECT_EQ(stored.left(2), QByteArray("\xFF\xFE", 2));
    EXPECT_EQ(stored, tavo::EncodeScrambledUtf16(text));
    EXPECT_EQ(stored.size(), 2 + 2 * text.size());

    r = RunCli({QStringLiteral("decode"), kp2});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    EXPECT_EQ(QString::fromUtf8(r.out), text);

    // Plain UTF-8 XML decodes as itself; a re-encoded profile is identical.
    r = RunCli({QStringLiteral("decode"), xml});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(r.out), text);
    const QString again = dir.filePath(QStringLiteral("again.kp2"));
    EXPECT_EQ(RunCli({QStringLiteral("encode"), kp2, again}).exitCode, 0);
    EXPECT_EQ(ReadFileBytes(again), stored);
}

TEST(ConfigCommands, FailuresAndUsage)
{
    if (!QFileInfo::exists(kCli))
        GTEST_SKIP() << "tavocps-cli not built";
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.kp2"));
    CliResult r = RunCli({QStringLiteral("decode"), missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
    // A failed encode leaves no file behind.
    r = RunCli({QStringLiteral("encode"), missing, dir.filePath(QStringLiteral("out.kp2"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("out.kp2"))));
    EXPECT_EQ(RunCli({QStringLiteral("encode"), QStringLiteral("only-one")}).exitCode, 2);
    EXPECT_EQ(RunCli({QStringLiteral("decode")}).exitCode, 2);
}

TEST(ConfigCommands, Profile2ImageReadsEveryStoredForm)
{
    if (!QFileInfo::exists(kCli))
        GTEST_SKIP() << "tavocps-cli not built";
    QTemporaryDir dir;
    CliResult r = RunCli({QStringLiteral("image2profile"), QStringLiteral(TAVO_SOURCE_DIR "/install/samples/demo-OUD11602.img")});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString text = QString::fromUtf8(r.out);
    ASSERT_TRUE(text.startsWith(QStringLiteral("<?xml")));

    const QByteArray utf16 = tavo::EncodeScrambledUtf16(text);
    QByteArray utf16Plain("\xFF\xFE", 2);
    for (QChar c : text) {
        utf16Plain.append(static_cast<char>(c.unicode() & 0xFF));
        utf16Plain.append(static_cast<char>(c.unicode() >> 8));
    }
    const QByteArray ansi = text.toLatin1();
    QByteArray ansiScrambled = ansi;
    for (char &c : ansiScrambled)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ tavo::kScrambleKey);

    const struct {
        const char *name;
        QByteArray bytes;
    } forms[] = {{"utf16-scrambled.kp2", utf16}, {"utf16-plain.kp2", utf16Plain},
                 {"ansi-plain.kp2", ansi}, {"ansi-scrambled.kp2", ansiScrambled}};
    QByteArray reference;
    for (const auto &f : forms) {
        const QString path = dir.filePath(QLatin1String(f.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(f.bytes);
        file.close();
        const QString image = path + QStringLiteral(".img");
        r = RunCli({QStringLiteral("profile2image"), path, image});
        ASSERT_EQ(r.exitCode, 0) << f.name << r.err.constData();
        const QByteArray bytes = ReadFileBytes(image);
        EXPECT_EQ(bytes.size(), 2089) << f.name;
        if (reference.isEmpty())
            reference = bytes;
        EXPECT_EQ(bytes, reference) << f.name;
        // decode shows the same text for every form
        r = RunCli({QStringLiteral("decode"), path});
        EXPECT_EQ(QString::fromUtf8(r.out), text) << f.name;
    }
}
