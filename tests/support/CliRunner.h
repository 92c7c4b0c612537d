#pragma once
// Runs the built tavocps-cli (or another tool of the build) and collects its
// exit status and output.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tavo::test {

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The folder of the tools under test: the build's own, or TAVO_TEST_BIN_DIR
// (to run the suites against another build).
inline QString ToolDir()
{
    const QString other = qEnvironmentVariable("TAVO_TEST_BIN_DIR");
    return other.isEmpty() ? QStringLiteral(TAVO_BIN_DIR) : other;
}

// Starts `p` (program, arguments and environment set), gives it `input`
// and collects how it ended; a run that takes longer than `timeoutMs` is
// killed and reported with exit code -1.
inline CliResult StartAndCollect(QProcess &p, const QByteArray &input = QByteArray(), int timeoutMs = 120000)
{
    p.start();
    if (!input.isEmpty())
        p.write(input);
    p.closeWriteChannel();
    CliResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

inline CliResult RunTool(const QString &tool, const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess p;
    p.setProgram(ToolDir() + QLatin1Char('/') + tool);
    p.setArguments(args);
    return StartAndCollect(p, input);
}

inline CliResult RunCli(const QStringList &args) { return RunTool(QStringLiteral("tavocps-cli"), args); }

} // namespace tavo::test
