// The command line keeps its contract: each command takes only its own
// options (any other is a usage error and nothing is done), "--port=DEV"
// and "--" are understood, progress follows --quiet and --progress, "-"
// reads a profile from standard input, a FIFO is refused at once, a link
// another user planted in a shared folder is not followed, a full standard
// output says what had succeeded, and a run speaks the language of its
// environment without storing it. The GUI and the simulated radio refuse
// what they do not know with the usual exit codes.

#include "radio/RadioTestSupport.h"
#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tavo::test;

namespace {

QString SourcePath(const char *relative) { return QStringLiteral(TAVO_SOURCE_DIR "/") + QLatin1String(relative); }
QString Template(const char *model) { return SourcePath("install/profiletemplate/") + QLatin1String(model) + QStringLiteral(".kp2"); }

struct Invocation {
    explicit Invocation(const QStringList &arguments, const QString &program = QStringLiteral("tavocps-cli"))
        : args(arguments), tool(program)
    {
    }
    QStringList args;
    QString tool;
    QByteArray input;
    QString standardOutput;                // a file instead of the pipe
    QList<QPair<QString, QString>> env;    // set for the run
    QStringList unset;                     // removed for the run
    QString workingDirectory;
};

// A program of the build with the user's settings and data in `home`.
CliResult Start(const Invocation &run, const QString &home)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    for (const auto &[name, value] : run.env)
        env.insert(name, value);
    for (const QString &name : run.unset)
        env.remove(name);
    p.setProcessEnvironment(env);
    if (!run.workingDirectory.isEmpty())
        p.setWorkingDirectory(run.workingDirectory);
    if (!run.standardOutput.isEmpty())
        p.setStandardOutputFile(run.standardOutput);
    p.setProgram(ToolDir() + QLatin1Char('/') + run.tool);
    p.setArguments(run.args);
    // Everything here ends at once; a run that waits is a failure.
    return StartAndCollect(p, run.input, 30000);
}

struct CliContract : ::testing::Test {
    QTemporaryDir dir;
    QString profile;
    void SetUp() override
    {
        profile = dir.filePath(QStringLiteral("radio.kp2"));
        ASSERT_TRUE(QFile::copy(Template("PUD11602"), profile));
        QFile::setPermissions(profile, QFile::ReadOwner | QFile::WriteOwner);
    }
    QString Path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    CliResult Cli(const QStringList &args, const QByteArray &input = QByteArray())
    {
        Invocation run(args);
        run.input = input;
        return Start(run, dir.path());
    }
};

} // namespace

// An option of another command is a usage error: status 2, the command's
// usage on stderr, nothing on stdout, and nothing written or changed.
TEST_F(CliContract, EveryCommandRefusesTheOptionsOfTheOthers)
{
    const QByteArray original = ReadFileBytes(profile);
    const QString image = SampleImagePath();
    const QList<QStringList> cases = {
        {"image2profile", image, "--dry-run"},
        {"profile2image", profile, Path("out.img"), "--yes"},
        {"decode", profile, "--in-file-order"},
        {"encode", profile, Path("out.kp2"), "--answer", "yes"},
        {"validate", profile, "--batch", Path("never.csv")},
        {"validate", profile, "--verify"},
        {"validate", profile, "--password", "x"},
        {"validate", profile, "--trace", Path("never.log")},
        {"set", profile, "channels/channel[1]", "name", "CHANGED", "--port", "/dev/null"},
        {"add", profile, "channels", "--format", "pdf"},
        {"delete", profile, "channels", "0", "--image", Path("out.img")},
        {"export-csv", profile, Path("out.csv"), "--in-file-order"},
        {"import-csv", profile, Path("in.csv"), "--dry-run"},
        {"diff", profile, profile, "--quiet"},
        {"report", "detailed", profile, Path("out.htm"), "--port", "/dev/null"},
        {"cables", "--port", "/dev/null"},
        {"identify", "--port", "/dev/null", "--image", Path("out.img")},
        {"read", "--port", "/dev/null", "--image", Path("out.img"), "--dry-run"},
        {"write", "--port", "/dev/null", profile, "--in-file-order"},
        {"reset", "--port", "/dev/null", "--yes"},
        {"factory-reset", "--port", "/dev/null", "--yes", "--dry-run"},
    };
    for (const QStringList &args : cases) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains("does not belong to the command " + args.first().toUtf8())) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("\nusage: tavocps-cli [--install-dir DIR] " + args.first().toUtf8() + ' ')) << r.err.toStdString();
    }
    for (const char *name : {"out.img", "out.kp2", "never.csv", "never.log", "out.csv", "out.htm"})
        EXPECT_FALSE(QFile::exists(Path(name))) << name;
    EXPECT_EQ(ReadFileBytes(profile), original);
}

TEST_F(CliContract, OptionsAreWrittenEitherWayAndDoubleDashEndsThem)
{
    // --name=value, and --install-dir for every command.
    CliResult r = Cli({QStringLiteral("validate"), QStringLiteral("--install-dir=") + SourcePath("install"), profile});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // A file whose name starts with a dash, after "--"; without it, the name is an option.
    const QString dash = Path("-dash.kp2");
    ASSERT_TRUE(QFile::copy(profile, dash));
    Invocation inFolder(QStringList{QStringLiteral("validate"), QStringLiteral("--"), QStringLiteral("-dash.kp2")});
    inFolder.workingDirectory = dir.path();
    r = Start(inFolder, dir.path());
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "-dash.kp2: valid\n");
    inFolder.args = QStringList{QStringLiteral("validate"), QStringLiteral("-dash.kp2")};
    r = Start(inFolder, dir.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("tavocps-cli: unknown option -dash.kp2\n")) << r.err.toStdString();
    // A flag takes no value; a value option needs one; both of --quiet and --progress is a contradiction.
    r = Cli({QStringLiteral("factory-reset"), QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("--yes=no")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("tavocps-cli: the option --yes takes no value\n")) << r.err.toStdString();
    r = Cli({QStringLiteral("set"), profile, QStringLiteral("setting"), QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("--answer")});
    EXPECT_EQ(r.exitCode, 2);
    r = Cli({QStringLiteral("reset"), QStringLiteral("--port"), QStringLiteral("/dev/null"), QStringLiteral("--quiet"), QStringLiteral("--progress")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("tavocps-cli: the options --quiet and --progress exclude each other\n")) << r.err.toStdString();
}

// Against the simulated radio: a factory reset with an option of write is
// refused before the radio hears a byte; --port=DEV reaches the radio;
// progress on a pipe only with --progress, never with --quiet; a trace on
// the standard error that is a pipe.
TEST_F(CliContract, TheRadioHearsNothingOfARefusedCommand)
{
    SimProcess sim({QStringLiteral("--image"), SampleImagePath(), QStringLiteral("--baud"), QStringLiteral("0")});
    ASSERT_FALSE(sim.Port().isEmpty());
    CliResult r = Cli({QStringLiteral("factory-reset"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--yes"), QStringLiteral("--dry-run")});
    EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();

    r = Cli({QStringLiteral("identify"), QStringLiteral("--port=") + sim.Port()});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("model: OUD")) << r.out.toStdString();
    EXPECT_FALSE(r.err.contains('%')) << "no progress on a pipe unless asked for: " << r.err.toStdString();

    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), Path("a.img"), QStringLiteral("--progress")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("100%\n")) << r.err.toStdString();
    r = Cli({QStringLiteral("read"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--image"), Path("b.img"), QStringLiteral("--quiet")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains('%')) << r.err.toStdString();
    EXPECT_EQ(ReadFileBytes(Path("a.img")), ReadFileBytes(Path("b.img")));

    r = Cli({QStringLiteral("identify"), QStringLiteral("--port"), sim.Port(), QStringLiteral("--trace"), QStringLiteral("/dev/stderr")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(" TX ")) << r.err.toStdString();

    sim.Stop();
    for (const QString &line : sim.Log())
        EXPECT_FALSE(line.contains(QLatin1String("FACTORY"))) << line.toStdString();
}

TEST_F(CliContract, TheGuiAndTheSimulatorRefuseWhatTheyDoNotKnow)
{
    // No display: a GUI that did not refuse would say so and run its demonstration.
    Invocation gui(QStringList{QStringLiteral("--frob"), profile}, QStringLiteral("tavocps"));
    gui.unset = {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("QT_QPA_PLATFORM")};
    CliResult r = Start(gui, dir.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.startsWith("tavocps: unknown option --frob\nusage: tavocps ")) << r.err.toStdString();

    const QString sim = QStringLiteral("tavo-radio-sim");
    r = Start(Invocation({QStringLiteral("--frob")}, sim), dir.path());
    EXPECT_EQ(r.exitCode, 2) << "a usage error";
    r = Start(Invocation({QStringLiteral("--baud"), QStringLiteral("fast")}, sim), dir.path());
    EXPECT_EQ(r.exitCode, 2);
    r = Start(Invocation({QStringLiteral("--image"), Path("missing.img")}, sim), dir.path());
    EXPECT_EQ(r.exitCode, 1) << "a failure to run";
    EXPECT_TRUE(r.err.contains("missing.img")) << r.err.toStdString();
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        for (const char *option : {"--help", "--version"}) {
            Invocation full(QStringList{QLatin1String(option)}, sim);
            full.standardOutput = QStringLiteral("/dev/full");
            r = Start(full, dir.path());
            EXPECT_EQ(r.exitCode, 1) << option;
            EXPECT_TRUE(r.err.contains("No space left on device")) << option << r.err.toStdString();
        }
    }
}

// "-" for the profile of every command that reads one whole: validate,
// export-csv, report, and set, which writes the changed profile to
// standard output in the form it came in and its result to stderr.
TEST_F(CliContract, DashReadsTheProfileFromStandardInput)
{
    const QByteArray stored = ReadFileBytes(profile);
    CliResult r = Cli({QStringLiteral("validate"), QStringLiteral("-")}, stored);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "-: valid\n");

    r = Cli({QStringLiteral("export-csv"), QStringLiteral("-"), QStringLiteral("-")}, stored);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, Cli({QStringLiteral("export-csv"), profile, QStringLiteral("-")}).out);

    r = Cli({QStringLiteral("set"), QStringLiteral("-"), QStringLiteral("channels/channel[1]"), QStringLiteral("name"), QStringLiteral("PIPED")}, stored);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, "result 0\n");
    EXPECT_EQ(r.out.left(2), stored.left(2)) << "the form it came in";
    EXPECT_TRUE(Cli({QStringLiteral("decode"), QStringLiteral("-")}, r.out).out.contains("name=\"PIPED\""));
    EXPECT_EQ(ReadFileBytes(profile), stored) << "the file named nowhere is not touched";
    EXPECT_FALSE(QFile::exists(Path("-")));

    r = Cli({QStringLiteral("report"), QStringLiteral("detailed"), QStringLiteral("-"), Path("report.htm")}, stored);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(ReadFileBytes(Path("report.htm")).startsWith(QByteArray("\xFF\xFE<\0", 4)));

    // A descriptor named by its path (what a shell's <(...) gives) is a stream too.
    r = Cli({QStringLiteral("decode"), QStringLiteral("/dev/stdin")}, stored);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, Cli({QStringLiteral("decode"), profile}).out);
    // Both files from the one standard input cannot be.
    EXPECT_EQ(Cli({QStringLiteral("import-csv"), QStringLiteral("-"), QStringLiteral("-")}, stored).exitCode, 2);
}

// A FIFO named as a file is refused at once by every reader, as the GUI
// refuses it, instead of waiting for a writer that never comes.
TEST_F(CliContract, AFifoIsRefusedAtOnce)
{
    const QString fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QList<QStringList> readers = {
        {"decode", fifo},
        {"validate", fifo},
        {"image2profile", fifo},
        {"diff", fifo, profile},
        {"import-csv", profile, fifo},
        {"report", "detailed", fifo, Path("out.htm")},
        {"encode", fifo, Path("out.kp2")},
        {"write", "--port", "/dev/null", fifo},
    };
    for (const QStringList &args : readers) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const CliResult r = Cli(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains("it is not a regular file")) << r.err.toStdString();
    }
}

// The report through a link that another user made in a shared sticky
// folder (/tmp) is not written, whatever the system's link protection; a
// link of our own there is followed.
TEST_F(CliContract, ALinkOfAnotherUserInASharedFolderIsNotFollowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    const QString shared = Path("shared");
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const QString target = Path("victim.txt");
    ASSERT_TRUE(WriteFileBytes(target, "the other user's file\n"));
    const QString link = shared + QStringLiteral("/report.htm");
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), 65534, 65534), 0);

    CliResult r = Cli({QStringLiteral("report"), QStringLiteral("detailed"), profile, link});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("a symbolic link that another user made in a shared folder")) << r.err.toStdString();
    EXPECT_EQ(ReadFileBytes(target), "the other user's file\n");

    ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), ::geteuid(), ::getegid()), 0);
    r = Cli({QStringLiteral("report"), QStringLiteral("detailed"), profile, link});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(ReadFileBytes(target).startsWith(QByteArray("\xFF\xFE<\0", 4)));
}

// An import whose result line cannot be written: the profile is saved, and
// the failure says the system's reason and what succeeded.
TEST_F(CliContract, AFullStandardOutputSaysWhichPartSucceeded)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    QByteArray csv = Cli({QStringLiteral("export-csv"), profile, QStringLiteral("-")}).out;
    csv.replace(",PMR 1,", ",FULL,");
    ASSERT_TRUE(WriteFileBytes(Path("plan.csv"), csv));
    Invocation run(QStringList{QStringLiteral("import-csv"), profile, Path("plan.csv")});
    run.standardOutput = QStringLiteral("/dev/full");
    const CliResult r = Start(run, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "tavocps-cli: Cannot write to the standard output: No space left on device\nThe profile " + profile.toUtf8()
                         + " was saved.\n");
    EXPECT_TRUE(Cli({QStringLiteral("decode"), profile}).out.contains("name=\"FULL\""));
}

// A command-line run speaks the language of its own environment and leaves
// the language stored for the windows as it is; every message the string
// table holds is translated, usage errors and file errors too.
TEST_F(CliContract, ARunSpeaksItsEnvironmentsLanguageAndNeverStoresIt)
{
    const QString settings = dir.filePath(QStringLiteral("config/Vantrel/Tavo EMEA CPS.ini"));
    auto inLanguage = [&](const char *locale, const QStringList &args) {
        Invocation run(args);
        run.env = {{QStringLiteral("LC_ALL"), QLatin1String(locale)}};
        return Start(run, dir.path());
    };
    const QStringList missing{QStringLiteral("validate"), Path("missing.kp2")};
    const QStringList unknown{QStringLiteral("validate"), profile, QStringLiteral("--verify")};

    // No stored language yet: a German run leaves none behind.
    CliResult r = inLanguage("de_DE.UTF-8", missing);
    EXPECT_TRUE(QString::fromUtf8(r.err).startsWith(QStringLiteral("Das Profil %1 kann nicht geöffnet werden: ").arg(Path("missing.kp2"))))
        << r.err.toStdString();
    r = inLanguage("de_DE.UTF-8", unknown);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(QString::fromUtf8(r.err).startsWith(QStringLiteral("tavocps-cli: die Option --verify gehört nicht zum Befehl validate\n")))
        << r.err.toStdString();
    EXPECT_FALSE(ReadFileBytes(settings).contains("CurrentLanguage"));

    // German stored for the windows: runs in C and French speak their own.
    ASSERT_TRUE(QDir().mkpath(QFileInfo(settings).absolutePath()));
    ASSERT_TRUE(WriteFileBytes(settings, "[General]\nCurrentLanguage=German\n"));
    r = inLanguage("C", missing);
    EXPECT_TRUE(r.err.startsWith("Cannot open the profile ")) << r.err.toStdString();
    r = inLanguage("fr_FR.UTF-8", missing);
    EXPECT_TRUE(QString::fromUtf8(r.err).startsWith(QStringLiteral("Impossible d'ouvrir le profil "))) << r.err.toStdString();
    r = inLanguage("fr_FR.UTF-8", {QStringLiteral("validate"), profile});
    EXPECT_EQ(QString::fromUtf8(r.out), QStringLiteral("%1 : valide\n").arg(profile));
    EXPECT_TRUE(ReadFileBytes(settings).contains("CurrentLanguage=German"));
}

// The installed bash completion offers each command exactly the options of
// its usage, and every command.
TEST(CliCompletion, OffersEachCommandItsOwnOptions)
{
    const QString script = SourcePath("packaging/completion/tavocps-cli.bash");
    const QString help = QString::fromUtf8(RunCli({QStringLiteral("--help")}).out);
    const QStringList lines = help.section(QLatin1String("\ncommands:\n"), 1).section(QLatin1String("\n\n"), 0, 0).split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), 10);
    static const QRegularExpression option(QStringLiteral("--[a-z][a-z-]*"));
    for (const QString &line : lines) {
        const QString command = line.trimmed().section(QLatin1Char(' '), 0, 0);
        SCOPED_TRACE(command.toStdString());
        QSet<QString> usage{QStringLiteral("--install-dir"), QStringLiteral("--help")};
        for (auto it = option.globalMatch(line); it.hasNext();)
            usage.insert(it.next().captured());
        QProcess bash;
        bash.start(QStringLiteral("bash"), {QStringLiteral("-c"), QStringLiteral("source \"$0\"; _tavocps_cli_options \"$1\""), script, command});
        ASSERT_TRUE(bash.waitForFinished(10000));
        const QStringList offered = QString::fromUtf8(bash.readAllStandardOutput()).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        EXPECT_EQ(QSet<QString>(offered.begin(), offered.end()), usage);
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QRegularExpression listed(QStringLiteral("local commands=\"[^\"]*\\b%1\\b").arg(QRegularExpression::escape(command)));
        EXPECT_TRUE(listed.match(QString::fromUtf8(file.readAll())).hasMatch());
    }
}

// Completing a command line, with or without bash-completion's helpers.
TEST(CliCompletion, CompletesCommandsOptionsAndValues)
{
    const QString script = SourcePath("packaging/completion/tavocps-cli.bash");
    auto complete = [&](const QString &line) {
        QProcess bash;
        bash.start(QStringLiteral("bash"),
                   {QStringLiteral("-c"),
                    QStringLiteral("source \"$0\"; read -ra COMP_WORDS <<<\"$1\"; [[ \"$1\" == *' ' ]] && COMP_WORDS+=(''); "
                                   "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _tavocps_cli; echo \"${COMPREPLY[*]}\""),
                    script, line});
        EXPECT_TRUE(bash.waitForFinished(10000));
        return QString::fromUtf8(bash.readAllStandardOutput()).trimmed();
    };
    EXPECT_EQ(complete(QStringLiteral("tavocps-cli factory-reset --")), QStringLiteral("--port --trace --quiet --progress --yes --install-dir --help"));
    EXPECT_EQ(complete(QStringLiteral("tavocps-cli rep")), QStringLiteral("report"));
    EXPECT_EQ(complete(QStringLiteral("tavocps-cli report ")), QStringLiteral("handout detailed"));
    EXPECT_EQ(complete(QStringLiteral("tavocps-cli set p.kp2 setting x --answer ")), QStringLiteral("yes no"));
    EXPECT_EQ(complete(QStringLiteral("tavocps-cli --port=/dev/null write --dr")), QStringLiteral("--dry-run"));
}
