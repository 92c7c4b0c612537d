#pragma once
#include "cli/CliCommand.h"

#include <QList>

namespace tavo::cli {

// Options that take a value (given as "--port DEV" or "--port=DEV"), and
// plain flags. Which of them a command takes, its entry in the command
// table says; --install-dir, --help and -h belong to every command.
bool OptionTakesValue(const QString &option);
bool IsKnownOption(const QString &option);
bool IsHelpOption(const QString &arg);

// One option as written on the command line.
struct WrittenOption {
    QString name;          // "--port"
    QString value;         // its value ("1" for a flag)
    bool inlineValue = false; // written as --name=value
};

// The command line split into its parts, before any command is looked at:
// the command is the first argument that is neither an option nor an
// option's value; "--" ends the options, so every argument after it is an
// argument even when it starts with "-".
struct SplitArguments {
    QString command;
    QStringList args;
    QList<WrittenOption> options;
    QString error; // the first option that could not be read
};
SplitArguments SplitCommandLine(const QStringList &argv);

// Splits argv (after the program name) into command, positional arguments
// and options, and checks every option against the command's own list;
// returns false with `error` set on a usage error (an unknown option, an
// option of another command, a flag given a value, a value missing).
bool ParseCommandLine(const QStringList &argv, CliContext &ctx, QString &error);

} // namespace tavo::cli
