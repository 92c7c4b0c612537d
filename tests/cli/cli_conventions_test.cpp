// The three programs follow the usual command-line conventions: --help and
// -h on standard output with status 0 (the GUI without a display), COMMAND
// --help, --version, "-" for standard input and output, a failed write to
// standard output as a failure, and manual pages that name every option.

#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavo::test;

namespace {

const char *const kPrograms[] = {"tavocps-cli", "tavocps", "tavo-radio-sim"};

// Runs a program with no display and no platform named, as on a server.
CliResult RunWithoutDisplay(const QString &tool, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    p.setProgram(ToolDir() + QLatin1Char('/') + tool);
    p.setArguments(args);
    return StartAndCollect(p, QByteArray(), 60000);
}

QString SourcePath(const char *relative) { return QStringLiteral(TAVO_SOURCE_DIR "/") + QLatin1String(relative); }
QString Template(const char *model) { return SourcePath("install/profiletemplate/") + QLatin1String(model) + QStringLiteral(".kp2"); }

} // namespace

TEST(CliConventions, HelpAndVersionOnStandardOutputWithoutADisplay)
{
    for (const char *program : kPrograms) {
        SCOPED_TRACE(program);
        const QString tool = QLatin1String(program);
        for (const char *help : {"--help", "-h"}) {
            const CliResult r = RunWithoutDisplay(tool, {QLatin1String(help)});
            EXPECT_EQ(r.exitCode, 0) << help << r.err.toStdString();
            EXPECT_TRUE(r.out.toLower().startsWith("usage: ")) << help << r.out.toStdString();
            EXPECT_TRUE(r.err.isEmpty()) << help << r.err.toStdString();
        }
        const CliResult version = RunWithoutDisplay(tool, {QStringLiteral("--version")});
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_TRUE(QRegularExpression(QStringLiteral("\\A%1 \\d+\\.\\d+(\\.\\d+)?\\n\\z").arg(tool))
                        .match(QString::fromUtf8(version.out))
                        .hasMatch())
            << version.out.toStdString();
    }

    // A command's own usage, after it or through help; an unknown one is a
    // usage error; no command at all is one too (usage on stderr).
    CliResult r = RunCli({QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("import-csv"), QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "usage: tavocps-cli [--install-dir DIR] import-csv PROFILE|- IN.csv|- [--in-file-order]\n");
    EXPECT_EQ(RunCli({QStringLiteral("help"), QStringLiteral("import-csv")}).out, r.out);
    EXPECT_EQ(RunCli({QStringLiteral("no-such-command"), QStringLiteral("-h")}).exitCode, 2);
    r = RunCli({});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith("usage: "));
}

TEST(CliConventions, DashIsStandardInputOrOutput)
{
    QTemporaryDir dir;
    const QString profile = dir.filePath(QStringLiteral("radio.kp2"));
    ASSERT_TRUE(QFile::copy(Template("OUD11602"), profile));
    QFile::setPermissions(profile, QFile::ReadOwner | QFile::WriteOwner);

    // export-csv to standard output is the file's export, byte for byte.
    const QString csvFile = dir.filePath(QStringLiteral("plan.csv"));
    ASSERT_EQ(RunCli({QStringLiteral("export-csv"), profile, csvFile}).exitCode, 0);
    CliResult r = RunCli({QStringLiteral("export-csv"), profile, QStringLiteral("-")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, ReadFileBytes(csvFile));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("-"))));

    // import-csv from standard input.
    QByteArray renamed = r.out;
    renamed.replace(",PMR 1,", ",PIPED,");
    r = RunTool(QStringLiteral("tavocps-cli"), {QStringLiteral("import-csv"), profile, QStringLiteral("-")}, renamed);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("16 of 16 rows imported.")) << r.out.toStdString();
    EXPECT_TRUE(RunCli({QStringLiteral("export-csv"), profile, QStringLiteral("-")}).out.contains(",PIPED,"));

    // decode and image2profile read standard input; profile2image writes
    // standard output.
    const QByteArray stored = ReadFileBytes(profile);
    const CliResult decoded = RunCli({QStringLiteral("decode"), profile});
    r = RunTool(QStringLiteral("tavocps-cli"), {QStringLiteral("decode"), QStringLiteral("-")}, stored);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, decoded.out);
    const CliResult image = RunCli({QStringLiteral("profile2image"), profile, QStringLiteral("-")});
    ASSERT_EQ(image.exitCode, 0) << image.err.toStdString();
    EXPECT_EQ(image.out.size(), 2089);
    r = RunTool(QStringLiteral("tavocps-cli"), {QStringLiteral("image2profile"), QStringLiteral("-")}, image.out);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("PIPED"));
    r = RunTool(QStringLiteral("tavocps-cli"), {QStringLiteral("image2profile"), QStringLiteral("-")}, image.out.left(100));
    EXPECT_EQ(r.exitCode, 1);

    // A report on standard output needs its form named.
    r = RunCli({QStringLiteral("report"), QStringLiteral("detailed"), profile, QStringLiteral("-")});
    EXPECT_EQ(r.exitCode, 2);
    r = RunCli({QStringLiteral("report"), QStringLiteral("detailed"), profile, QStringLiteral("-"), QStringLiteral("--format"),
                QStringLiteral("htm")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QByteArray("\xFF\xFE<\0", 4)));
    r = RunCli({QStringLiteral("report"), QStringLiteral("handout"), profile, QStringLiteral("-"), QStringLiteral("--format"),
                QStringLiteral("pdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("%PDF"));
}

TEST(CliConventions, AFailedWriteToStandardOutputFails)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    for (const QStringList &args : {QStringList{QStringLiteral("decode"), Template("OUD11602")},
                                    QStringList{QStringLiteral("export-csv"), Template("OUD11602"), QStringLiteral("-")},
                                    QStringList{QStringLiteral("--help")}}) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(ToolDir() + QStringLiteral("/tavocps-cli"), args);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_TRUE(p.readAllStandardError().contains("No space left on device"));
    }
}

TEST(CliConventions, ManualPagesNameEveryOptionAndCommandOfTheUsage)
{
    for (const char *program : kPrograms) {
        SCOPED_TRACE(program);
        const CliResult usage = RunWithoutDisplay(QLatin1String(program), {QStringLiteral("--help")});
        ASSERT_EQ(usage.exitCode, 0);
        const QString text = QString::fromUtf8(usage.out);
        QFile page(SourcePath("packaging/man/") + QLatin1String(program) + QStringLiteral(".1.md"));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << page.fileName().toStdString();
        const QString manual = QString::fromUtf8(page.readAll());

        QSet<QString> names;
        static const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][a-z-]*)"));
        for (auto it = option.globalMatch(text); it.hasNext();)
            names.insert(it.next().captured(1));
        // The commands: the first word of each line of the command list.
        const int commands = text.indexOf(QLatin1String("\ncommands:\n"));
        if (commands >= 0) {
            const QStringList lines = text.mid(commands + 11).section(QLatin1String("\n\n"), 0, 0).split(QLatin1Char('\n'));
            for (const QString &line : lines)
                names.insert(line.trimmed().section(QLatin1Char(' '), 0, 0));
        }
        ASSERT_FALSE(names.isEmpty());
        for (const QString &name : names) {
            const QRegularExpression inManual(QStringLiteral("\\*\\*%1\\*\\*").arg(QRegularExpression::escape(name)));
            EXPECT_TRUE(inManual.match(manual).hasMatch()) << name.toStdString() << " is not in " << program << ".1.md";
        }
    }
}
