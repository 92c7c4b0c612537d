#include "cli/CliOptions.h"

#include "resources/MessageIds.h"
#include "resources/StringTable.h"

namespace tavo::cli {

namespace {
const char *const kValueOptions[] = {"--install-dir", "--port", "--image", "--profile", "--password",
                                     "--answer",      "--trace", "--batch", "--format", "--paper"};
const char *const kFlags[] = {"--yes", "--verify", "--dry-run", "--in-file-order", "--quiet", "--progress", "--help"};
// What every command takes besides its own options.
const char *const kEveryCommand[] = {"--install-dir", "--help"};

bool Listed(const QString &option, const char *list)
{
    if (!list)
        return false;
    const QStringList names = QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return names.contains(option);
}

const CliCommandInfo *CommandNamed(const QString &name)
{
    for (const CliCommandInfo &c : RegisteredCommands())
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}
} // namespace

bool OptionTakesValue(const QString &option)
{
    for (const char *o : kValueOptions)
        if (option == QLatin1String(o))
            return true;
    return false;
}

bool IsKnownOption(const QString &option)
{
    if (OptionTakesValue(option))
        return true;
    for (const char *f : kFlags)
        if (option == QLatin1String(f))
            return true;
    return false;
}

bool IsHelpOption(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

SplitArguments SplitCommandLine(const QStringList &argv)
{
    SplitArguments out;
    bool optionsEnded = false;
    for (int i = 0; i < argv.size(); ++i) {
        const QString &arg = argv.at(i);
        const bool option = !optionsEnded && arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-");
        if (!option) {
            if (out.command.isEmpty() && !optionsEnded)
                out.command = arg;
            else
                out.args.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        WrittenOption written;
        const int equals = arg.startsWith(QLatin1String("--")) ? arg.indexOf(QLatin1Char('=')) : -1;
        written.name = equals < 0 ? arg : arg.left(equals);
        if (written.name == QLatin1String("-h"))
            written.name = QStringLiteral("--help");
        if (equals >= 0) {
            written.value = arg.mid(equals + 1);
            written.inlineValue = true;
        } else if (OptionTakesValue(written.name)) {
            if (i + 1 >= argv.size()) {
                if (out.error.isEmpty())
                    out.error = LoadString(msg::CliOptionNeedsValue).arg(written.name);
                continue;
            }
            written.value = argv.at(++i);
        } else {
            written.value = QStringLiteral("1");
        }
        out.options.append(written);
    }
    // A command given only after "--" is still the command.
    if (out.command.isEmpty() && !out.args.isEmpty())
        out.command = out.args.takeFirst();
    return out;
}

bool ParseCommandLine(const QStringList &argv, CliContext &ctx, QString &error)
{
    const SplitArguments split = SplitCommandLine(argv);
    ctx.command = split.command;
    ctx.args = split.args;
    if (ctx.command.isEmpty()) {
        error = split.error.isEmpty() ? LoadString(msg::CliNoCommand) : split.error;
        return false;
    }
    const CliCommandInfo *command = CommandNamed(ctx.command);
    if (!command) {
        error = LoadString(msg::CliUnknownCommand).arg(ctx.command);
        return false;
    }
    for (const WrittenOption &o : split.options) {
        bool everyCommand = false;
        for (const char *name : kEveryCommand)
            everyCommand = everyCommand || o.name == QLatin1String(name);
        if (!IsKnownOption(o.name)) {
            error = LoadString(msg::CliUnknownOption).arg(o.name);
            return false;
        }
        if (!everyCommand && !Listed(o.name, command->options)) {
            error = LoadString(msg::CliOptionNotOfCommand).arg(o.name, ctx.command);
            return false;
        }
        if (o.inlineValue && !OptionTakesValue(o.name)) {
            error = LoadString(msg::CliOptionTakesNoValue).arg(o.name);
            return false;
        }
        ctx.options.insert(o.name, o.value);
        ctx.given[o.name] << o.value;
    }
    if (!split.error.isEmpty()) {
        error = split.error;
        return false;
    }
    return true;
}

} // namespace tavo::cli
