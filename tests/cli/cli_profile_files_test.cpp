// Profile files on the command line: every command reads a file the way
// decode does, saves it back in the form it was read, never replaces what
// is not a regular file, refuses what is not XML or too large, and says why
// a change could not be made.

#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include "base/CodePage.h"
#include "base/TemplateFile.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavo;
using namespace tavo::test;

namespace {

const QString kSampleImage = QStringLiteral(TAVO_SOURCE_DIR "/install/samples/demo-OUD11602.img");

// The demonstration radio's profile with a non-ASCII channel name (the
// rules never see it: only the text's own round trip does).
QString SampleProfile()
{
    const CliResult r = RunCli({QStringLiteral("image2profile"), kSampleImage});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QString text = QString::fromUtf8(r.out);
    text.replace(QStringLiteral("name=\"PMR 1\""), QStringLiteral("name=\"Caf\u00e9\""));
    return text;
}

QByteArray Utf16(const QString &text, bool scrambled)
{
    QString t = text;
    if (scrambled)
        ScrambleText(t);
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : t) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    return out;
}

QByteArray Xored(QByteArray bytes)
{
    for (char &c : bytes)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
    return bytes;
}

QString Decoded(const QString &path)
{
    const CliResult r = RunCli({QStringLiteral("decode"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QString::fromUtf8(r.out);
}

QString Write(const QTemporaryDir &dir, const char *name, const QByteArray &bytes)
{
    const QString path = dir.filePath(QLatin1String(name));
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
}

QStringList SetVox(const QString &path, const char *level)
{
    return {QStringLiteral("set"), path, QStringLiteral("setting"), QStringLiteral("vox_level"), QLatin1String(level)};
}

} // namespace

TEST(CliProfileFiles, EveryCommandReadsTheFormDecodeReadsAndSavesItBack)
{
    QTemporaryDir dir;
    const QString text = SampleProfile();
    ASSERT_TRUE(text.contains(QStringLiteral("\r\n\t<limit ")));
    QString latin1Labelled = text;
    latin1Labelled.replace(QStringLiteral("encoding=\"utf-8\""), QStringLiteral("encoding=\"iso-8859-1\""));
    QByteArray latin1Bytes;
    ASSERT_TRUE(EncodeCharset("ISO-8859-1", latin1Labelled, latin1Bytes));

    const struct {
        const char *name;
        QByteArray bytes;
        QString text;
    } forms[] = {
        {"utf8.xml", text.toUtf8(), text},
        {"utf8-bom.xml", QByteArray("\xEF\xBB\xBF") + text.toUtf8(), text},
        {"ansi.xml", ToAnsi(text), text},
        {"latin1-labelled.xml", latin1Bytes, latin1Labelled},
        {"utf16.kp2", Utf16(text, false), text},
        {"utf16-scrambled.kp2", Utf16(text, true), text},
        {"ansi-scrambled.kp2", Xored(ToAnsi(text)), text},
    };
    for (const auto &f : forms) {
        SCOPED_TRACE(f.name);
        const QString path = Write(dir, f.name, f.bytes);
        EXPECT_EQ(Decoded(path), f.text);
        CliResult r = RunCli({QStringLiteral("validate"), path});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        // Two saves: the stored text comes back as it was, in its form.
        r = RunCli(SetVox(path, "2"));
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        r = RunCli(SetVox(path, "1"));
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QByteArray saved = ReadFileBytes(path);
        EXPECT_EQ(saved.left(2), f.bytes.left(2));
        const QString back = Decoded(path);
        EXPECT_TRUE(back.contains(QStringLiteral("name=\"Caf\u00e9\""))) << back.left(600).toStdString();
        // Same declaration, same line breaks and indentation.
        EXPECT_EQ(back.split(QStringLiteral("\r\n")).size(), f.text.split(QStringLiteral("\r\n")).size());
        EXPECT_TRUE(back.startsWith(f.text.left(f.text.indexOf(QStringLiteral("?>")) + 2)));
        EXPECT_TRUE(back.contains(QStringLiteral("\r\n\t<limit ")));
        // What the other readers make of the saved file agrees.
        r = RunCli({QStringLiteral("profile2image"), path, path + QStringLiteral(".img")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
}

// Found by fuzz_profile_file: a first line that is a processing instruction
// ("<?xmll ...?>"), not a declaration, was taken for the declaration and
// written once more with every save.
TEST(CliProfileFiles, LeadingProcessingInstructionIsNotTakenForTheDeclaration)
{
    QTemporaryDir dir;
    QString text = SampleProfile();
    text.replace(0, 5, QStringLiteral("<?xmll"));
    const QString path = Write(dir, "pi.xml", text.toUtf8());
    for (const char *level : {"2", "1"}) {
        const CliResult r = RunCli(SetVox(path, level));
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    const QString back = Decoded(path);
    EXPECT_EQ(back.count(QStringLiteral("<?xmll")), 1) << back.left(300).toStdString();
    EXPECT_EQ(RunCli({QStringLiteral("validate"), path}).exitCode, 0);

    // Nor does the save put a declaration of its own before it: the
    // serializer's names UTF-8 whatever set the file is stored in (found by
    // fuzz_profile_file: an 8-bit file came back read in another set).
    EXPECT_TRUE(back.startsWith(QStringLiteral("<?xmll"))) << back.left(120).toStdString();
}

TEST(CliProfileFiles, LabelledEncodingIsAppliedOnce)
{
    QTemporaryDir dir;
    QString text = SampleProfile();
    text.replace(QStringLiteral("encoding=\"utf-8\""), QStringLiteral("encoding=\"iso-8859-1\""));
    text.replace(QStringLiteral("name=\"Caf\u00e9\""), QStringLiteral("name=\"M\u00fcller\""));
    QByteArray bytes;
    ASSERT_TRUE(EncodeCharset("ISO-8859-1", text, bytes));
    const QString path = Write(dir, "labelled.xml", bytes);
    const QString image = dir.filePath(QStringLiteral("labelled.img"));
    CliResult r = RunCli({QStringLiteral("profile2image"), path, image});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = RunCli({QStringLiteral("image2profile"), image});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.out).contains(QStringLiteral("name=\"M\u00fcller\""))) << r.out.left(900).toStdString();
}

TEST(CliProfileFiles, SaveKeepsModeLinksAndReportsOnlyAfterItSucceeded)
{
    QTemporaryDir dir;
    const QByteArray bytes = Utf16(SampleProfile(), true);
    const QString path = Write(dir, "p.kp2", bytes);
    const QString link = dir.filePath(QStringLiteral("hard.kp2"));
    const QString symlink = dir.filePath(QStringLiteral("sym.kp2"));
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(QFile::link(path, symlink));
    // Read-only for everyone: only root may save it, and it stays read-only.
    const mode_t mode = ::geteuid() == 0 ? 0444 : 0640;
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
    struct stat before;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &before), 0);

    CliResult r = RunCli(SetVox(symlink, "3"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("result 0\n"));
    struct stat after;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u);
    EXPECT_TRUE(QFileInfo(symlink).isSymLink());
    EXPECT_TRUE(Decoded(link).contains(QStringLiteral("vox_level=\"3\"")));

    // A save that fails (the file may not grow) prints no result line and
    // leaves the file as it was.
    const QString single = Write(dir, "single.kp2", bytes);
    QProcess p;
    p.setProgram(ToolDir() + QStringLiteral("/tavocps-cli"));
    p.setArguments(SetVox(single, "3"));
    p.setChildProcessModifier([] {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    p.start();
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_FALSE(p.readAllStandardOutput().contains("result 0"));
    EXPECT_TRUE(p.readAllStandardError().contains("Cannot write"));
    EXPECT_EQ(ReadFileBytes(single), bytes);
}

TEST(CliProfileFiles, OutputsThatAreNotRegularFilesAreNeverReplaced)
{
    QTemporaryDir dir;
    const QString profile = Write(dir, "p.xml", SampleProfile().toUtf8());
    // A FIFO with a reader gets the image written into it and stays a FIFO.
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    CliResult r = RunCli({QStringLiteral("profile2image"), profile, fifo});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    char buffer[4096];
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 2089);
    ::close(reader);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    // Without a reader it is refused instead of waited for or replaced.
    r = RunCli({QStringLiteral("encode"), profile, fifo});
    EXPECT_EQ(r.exitCode, 1);
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    // A folder is refused.
    r = RunCli({QStringLiteral("profile2image"), profile, dir.path()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Cannot write")) << r.err.toStdString();
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

TEST(CliProfileFiles, WhatIsNotAnXmlDocumentOrTooLargeIsRefused)
{
    QTemporaryDir dir;
    QByteArray noise(3000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 7919) >> 3);
    const struct {
        const char *name;
        QByteArray bytes;
    } inputs[] = {{"empty", QByteArray()}, {"image.img", ReadFileBytes(kSampleImage)}, {"noise.bin", noise},
                  {"broken.xml", "<?xml version=\"1.0\"?><TavoProfile>"}};
    for (const auto &in : inputs) {
        SCOPED_TRACE(in.name);
        const QString path = Write(dir, in.name, in.bytes);
        CliResult r = RunCli({QStringLiteral("decode"), path});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.startsWith("Invalid profile.\nProfile Loading Error.")) << r.err.toStdString();
        const QString out = path + QStringLiteral(".kp2");
        EXPECT_EQ(RunCli({QStringLiteral("encode"), path, out}).exitCode, 1);
        EXPECT_FALSE(QFileInfo::exists(out));
    }

    // Above the cap: refused by every command before it is read.
    QByteArray huge = SampleProfile().toUtf8();
    huge.insert(huge.indexOf("<TavoProfile"), QByteArray(2 * 1024 * 1024, ' '));
    const QString big = Write(dir, "big.xml", huge);
    for (const QStringList &args : {QStringList{QStringLiteral("decode"), big}, QStringList{QStringLiteral("validate"), big},
                                     SetVox(big, "2"), QStringList{QStringLiteral("profile2image"), big, big + ".img"}}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.first().toStdString();
        EXPECT_TRUE(r.err.contains("larger than 1048576 bytes")) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }

    // A long damaged line is quoted in part.
    QByteArray longLine = "<?xml version=\"1.0\"?><TavoProfile xmlns=\"urn:vantrel:tavo:profile:1\" a=\"" + QByteArray(500000, 'x');
    const QString damaged = Write(dir, "long.xml", longLine);
    const CliResult r = RunCli({QStringLiteral("validate"), damaged});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_LT(r.err.size(), 1500) << r.err.left(300).toStdString();
}

TEST(CliProfileCommands, UnknownNamesAndRefusedChangesSayWhy)
{
    QTemporaryDir dir;
    const QString path = Write(dir, "p.xml", SampleProfile().toUtf8());
    const QByteArray original = ReadFileBytes(path);
    const struct {
        QStringList args;
        const char *message;
    } cases[] = {
        {{QStringLiteral("set"), path, QStringLiteral("settings"), QStringLiteral("vox_level"), QStringLiteral("1")},
         "No element settings in the profile."},
        {{QStringLiteral("set"), path, QStringLiteral("setting"), QStringLiteral("vox"), QStringLiteral("1")},
         "No attribute vox on the element setting."},
        {{QStringLiteral("add"), path, QStringLiteral("setting")}, "The element setting takes no new children."},
        {{QStringLiteral("add"), path, QStringLiteral("channels")}, "The rules allow no further child under channels"},
        {{QStringLiteral("delete"), path, QStringLiteral("frequencies"), QStringLiteral("99")}, "No child 99 under frequencies"},
        {{QStringLiteral("add"), path, QStringLiteral("channels/channel[2]/x")}, "No element channels/channel[2]/x in the profile."},
        // A namespace node is not an element (and never outlives its query).
        {{QStringLiteral("set"), path, QStringLiteral("x|namespace::*"), QStringLiteral("name"), QStringLiteral("ZZ")},
         "No element x|namespace::* in the profile."},
    };
    for (const auto &c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.message;
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("Programming error")) << r.err.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(path), original);
}
