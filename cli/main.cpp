// tavocps-cli: the command-line front end on the core library.

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliFiles.h"
#include "cli/CliSink.h"
#include "ProgramVersion.h"
#include "config/InterfaceLanguage.h"
#include "config/Registry.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>
#include <cstdio>

using namespace tavo;

namespace tavo::cli {

namespace {
QList<CliCommandInfo> &commandList()
{
    static QList<CliCommandInfo> list;
    return list;
}

constexpr const char kProgram[] = "tavocps-cli";

// The options every command takes, with what they do.
constexpr struct {
    const char *option;
    const char *text;
} kGlobalOptions[] = {
    {"--install-dir DIR", "use the installation in DIR instead of the installed one"},
    {"--help, -h", "print this text and exit"},
    {"--version", "print the program's name and version and exit"},
    {"--", "end of the options: every argument after it is an argument"},
};

// The usage line of one command.
QByteArray CommandUsage(const CliCommandInfo &c)
{
    return QStringLiteral("usage: %1 [--install-dir DIR] %2 %3\n")
        .arg(QLatin1String(kProgram), QLatin1String(c.name), QLatin1String(c.usage))
        .toUtf8();
}

void PrintHelp(std::FILE *out)
{
    std::fprintf(out,
                 "usage: %s [--install-dir DIR] COMMAND [OPTION ...] [ARGUMENT ...]\n"
                 "       %s COMMAND --help\n"
                 "       %s --help | -h | --version\n\ncommands:\n",
                 kProgram, kProgram, kProgram);
    for (const CliCommandInfo &c : RegisteredCommands())
        std::fprintf(out, "  %-14s %s\n", c.name, c.usage);
    std::fprintf(out, "\noptions:\n");
    for (const auto &o : kGlobalOptions)
        std::fprintf(out, "  %-18s %s\n", o.option, o.text);
    std::fprintf(out, "\nEach command takes only the options of its usage; an option is written\n"
                      "\"--port DEV\" or \"--port=DEV\". A file named \"-\" is the standard input or the\n"
                      "standard output.\n");
}

const CliCommandInfo *FindCommand(const QString &name)
{
    for (const CliCommandInfo &c : RegisteredCommands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

// --help, -h, COMMAND --help, help [COMMAND] and --version, answered
// before any application object exists (no display, no installation
// needed). Returns the exit status, or -1 when the run goes on.
int AnswerHelpAndVersion(const QStringList &arguments)
{
    if (arguments.isEmpty()) {
        PrintHelp(stderr);
        return ExitUsage;
    }
    if (arguments.first() == QLatin1String("--version")) {
        std::printf("%s %s\n", kProgram, TAVO_PROGRAM_VERSION);
        return ExitOk;
    }
    const SplitArguments split = SplitCommandLine(arguments);
    QString command = split.command;
    bool help = false;
    for (const WrittenOption &o : split.options)
        help = help || o.name == QLatin1String("--help");
    if (command == QLatin1String("help")) {
        command = split.args.value(0);
        help = true;
    }
    if (!help)
        return -1;
    if (command.isEmpty()) {
        PrintHelp(stdout);
        return ExitOk;
    }
    const CliCommandInfo *c = FindCommand(command);
    if (!c)
        return UsageError(command, LoadString(msg::CliUnknownCommand).arg(command));
    std::fputs(CommandUsage(*c).constData(), stdout);
    return ExitOk;
}

} // namespace

CliCommandRegistrar::CliCommandRegistrar(const CliCommandInfo &info)
{
    commandList().append(info);
}

const QList<CliCommandInfo> &RegisteredCommands()
{
    return commandList();
}

int Fail(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    return ExitFailed;
}

int UsageError(const QString &command, const QString &why)
{
    std::fprintf(stderr, "tavocps-cli: %s\n", why.toUtf8().constData());
    if (const CliCommandInfo *c = FindCommand(command))
        std::fputs(CommandUsage(*c).constData(), stderr);
    return ExitUsage;
}

int ReportException(const CTavoCPSException &e)
{
    QString text = LoadString(e.m_nMsgID);
    if (text.isEmpty())
        text = QStringLiteral("Error %1").arg(e.m_nMsgID);
    std::fprintf(stderr, "%s%s\n", text.toUtf8().constData(), e.m_strMessage.toUtf8().constData());
    return ExitFailed;
}

namespace {
// Output the system did not take is a failure, not a success.
int CheckStandardOutput(int rc)
{
    QString unwritten;
    if (StandardOutputWritten(unwritten))
        return rc;
    std::fprintf(stderr, "%s: %s\n", kProgram, unwritten.toUtf8().constData());
    return rc == ExitOk ? ExitFailed : rc;
}

int RunCommand(CliContext &ctx)
{
    const CliCommandInfo *c = FindCommand(ctx.command);
    if (!c)
        return UsageError(ctx.command, LoadString(msg::CliUnknownCommand).arg(ctx.command));
    if (ctx.args.size() < c->minArgs || ctx.args.size() > c->maxArgs)
        return UsageError(ctx.command, LoadString(msg::CliWrongArgumentCount));
    try {
        return c->handler(ctx);
    } catch (const tavo::CTavoCPSException &e) {
        return ReportException(e);
    }
}
} // namespace

} // namespace tavo::cli

int main(int argc, char **argv)
{
    using namespace tavo::cli;
    // Drawing and text layout (a report) need the GUI application; it
    // runs on the offscreen platform, so no display is needed.
    const bool gui = NeedsGuiApplication(argc, argv);
    if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const int answered = AnswerHelpAndVersion(arguments);
    if (answered >= 0)
        return CheckStandardOutput(answered);
    std::unique_ptr<QCoreApplication> app(gui ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));

    // The installation first, and with it the language of this run's
    // environment (the language stored for the program's windows stays as
    // it is), so that even a usage error speaks it.
    for (const WrittenOption &o : SplitCommandLine(arguments).options)
        if (o.name == QLatin1String("--install-dir"))
            tavo::SetInstallPathOverride(o.value);
    CliMessageSink sink;
    tavo::SetMessageSink(&sink);
    tavo::LoadRunLanguage();

    CliContext ctx;
    QString error;
    if (!ParseCommandLine(arguments, ctx, error))
        return UsageError(ctx.command, error);
    sink.SetAnswer(ctx.Has("--yes") ? QStringLiteral("yes") : ctx.Option("--answer"));

    return CheckStandardOutput(RunCommand(ctx));
}
