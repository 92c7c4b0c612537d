#pragma once
// The command table of tavocps-cli. Each command group lives in a file of
// its own and registers its commands with a static CliCommandRegistrar.
//
// Exit status: 0 success, 1 the operation failed (the program's message on
// stderr), 2 usage error.

#include <QMap>
#include <QString>
#include <QStringList>

namespace tavo::cli {

enum ExitCode : int { ExitOk = 0, ExitFailed = 1, ExitUsage = 2 };

struct CliContext {
    QString command;
    QStringList args;               // positional arguments after the command
    QMap<QString, QString> options; // "--image" -> value, "--yes" -> "1" (the last one given)
    QMap<QString, QStringList> given; // every value of each option, in order
    bool Has(const char *option) const { return options.contains(QLatin1String(option)); }
    QString Option(const char *option) const { return options.value(QLatin1String(option)); }
    QStringList Values(const char *option) const { return given.value(QLatin1String(option)); }
};

using CliHandler = int (*)(CliContext &);

struct CliCommandInfo {
    const char *name;
    const char *usage;     // argument synopsis, shown in the help text
    const char *options;   // the options the command takes, "--port --trace"; any other is a usage error
    int minArgs;           // positional arguments required
    int maxArgs;           // positional arguments allowed
    CliHandler handler;
};

class CliCommandRegistrar {
public:
    explicit CliCommandRegistrar(const CliCommandInfo &info);
};

const QList<CliCommandInfo> &RegisteredCommands();

// Prints a failure text to stderr and returns ExitFailed.
int Fail(const QString &text);
// Prints a usage error for `command` and returns ExitUsage.
int UsageError(const QString &command, const QString &why);

// True when the command line asks for something that draws or lays out
// text (a report), which needs a QGuiApplication.
bool NeedsGuiApplication(int argc, char **argv);

} // namespace tavo::cli
