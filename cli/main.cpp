// tavocps-cli: the command-line front end on the core library.

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliSink.h"
#include "config/Registry.h"
#include "base/CTavoCPSException.h"
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

void PrintHelp()
{
    std::fprintf(stderr, "usage: tavocps-cli [--install-dir DIR] [--port DEV] COMMAND ...\n\ncommands:\n");
    for (const CliCommandInfo &c : RegisteredCommands())
        std::fprintf(stderr, "  %-14s %s\n", c.name, c.usage);
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
    for (const CliCommandInfo &c : RegisteredCommands())
        if (command == QLatin1String(c.name))
            std::fprintf(stderr, "usage: tavocps-cli %s %s\n", c.name, c.usage);
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

} // namespace tavo::cli

int main(int argc, char **argv)
{
    using namespace tavo::cli;
    // Text layout (a report written as PDF) needs the GUI application; it
    // runs on the offscreen platform, so no display is needed.
    const bool gui = NeedsGuiApplication(argc, argv);
    if (gui && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(gui ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));
    QStringList arguments = app->arguments();
    arguments.removeFirst();
    if (arguments.isEmpty() || arguments.first() == QLatin1String("--help") || arguments.first() == QLatin1String("help")) {
        PrintHelp();
        return arguments.isEmpty() ? ExitUsage : ExitOk;
    }

    CliContext ctx;
    QString error;
    if (!ParseCommandLine(arguments, ctx, error))
        return UsageError(ctx.command, error);

    if (ctx.Has("--install-dir"))
        tavo::SetInstallPathOverride(ctx.Option("--install-dir"));

    CliMessageSink sink(ctx.Option("--answer"));
    if (ctx.Has("--yes"))
        sink.SetAnswer(QStringLiteral("yes"));
    tavo::SetMessageSink(&sink);

    for (const CliCommandInfo &c : RegisteredCommands()) {
        if (ctx.command != QLatin1String(c.name))
            continue;
        if (ctx.args.size() < c.minArgs || ctx.args.size() > c.maxArgs)
            return UsageError(ctx.command, QStringLiteral("wrong number of arguments"));
        try {
            return c.handler(ctx);
        } catch (const tavo::CTavoCPSException &e) {
            return ReportException(e);
        }
    }
    return UsageError(ctx.command, QStringLiteral("unknown command %1").arg(ctx.command));
}
