#include "cli/CliOptions.h"

namespace tavo::cli {

namespace {
const char *const kValueOptions[] = {"--install-dir", "--port", "--image", "--profile", "--password",
                                     "--answer",      "--trace", "--batch", "--format", "--paper"};
const char *const kFlags[] = {"--yes", "--verify", "--dry-run", "--in-file-order"};
} // namespace

bool OptionTakesValue(const QString &option)
{
    for (const char *o : kValueOptions)
        if (option == QLatin1String(o))
            return true;
    return false;
}

bool IsKnownFlag(const QString &option)
{
    for (const char *f : kFlags)
        if (option == QLatin1String(f))
            return true;
    return false;
}

bool ParseCommandLine(const QStringList &argv, CliContext &ctx, QString &error)
{
    for (int i = 0; i < argv.size(); ++i) {
        const QString &arg = argv.at(i);
        if (arg.startsWith(QLatin1String("--")) && arg.size() > 2) {
            if (OptionTakesValue(arg)) {
                if (i + 1 >= argv.size()) {
                    error = QStringLiteral("option %1 needs a value").arg(arg);
                    return false;
                }
                ctx.options.insert(arg, argv.at(++i));
            } else if (IsKnownFlag(arg)) {
                ctx.options.insert(arg, QStringLiteral("1"));
            } else {
                error = QStringLiteral("unknown option %1").arg(arg);
                return false;
            }
        } else if (ctx.command.isEmpty()) {
            ctx.command = arg;
        } else {
            ctx.args.append(arg);
        }
    }
    if (ctx.command.isEmpty()) {
        error = QStringLiteral("no command given");
        return false;
    }
    return true;
}

} // namespace tavo::cli
