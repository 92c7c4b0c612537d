#pragma once
#include "cli/CliCommand.h"

namespace tavo::cli {

// Options that take a value, and plain flags. Everything else that starts
// with "--" is a usage error.
bool OptionTakesValue(const QString &option);
bool IsKnownFlag(const QString &option);

// Splits argv (after the program name) into command, positional arguments
// and options; returns false with `error` set on a usage error.
bool ParseCommandLine(const QStringList &argv, CliContext &ctx, QString &error);

} // namespace tavo::cli
