#include "reports/ReportMail.h"

#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace tavo {

namespace {
// The mail program set by SetMailToolOverride; a null text when none is set.
ContextValue<QString> &MailToolOverride()
{
    static ContextValue<QString> value;
    return value;
}

bool Readable(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly);
}
} // namespace

QStringList HandoutImageNames(bool displayModel)
{
    QStringList names{QStringLiteral("HandoutHeader.jpg"), QStringLiteral("HandoutFooter.jpg"),
                      displayModel ? QStringLiteral("Display.jpg") : QStringLiteral("Rotary.jpg")};
    const int numbered = displayModel ? 10 : 11;
    for (int i = 1; i <= numbered; ++i)
        names << QStringLiteral("%1.jpg").arg(i);
    return names;
}

QStringList FindHandoutImages(const QString &folder, bool displayModel)
{
    QStringList found;
    for (const QString &name : HandoutImageNames(displayModel))
        if (Readable(QDir(folder).filePath(name)))
            found << name;
    return found;
}

QString ReportMailAttachment(const QString &reportPath)
{
    const QFileInfo report(reportPath);
    return report.dir().filePath(report.completeBaseName() + QStringLiteral(".pdf"));
}

void SetMailToolOverride(const QString &program)
{
    MailToolOverride().Set(program);
}

QString MailTool()
{
    const QString tool = MailToolOverride().Get();
    if (!tool.isNull())
        return QFile::exists(tool) ? tool : QString();
    return QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
}

QStringList MailToolArguments(const QStringList &files)
{
    QStringList args;
    for (const QString &f : files)
        args << QStringLiteral("--attach") << f;
    return args;
}

MailResult SendReportMail(const QStringList &files, int *exitStatus)
{
    const QString tool = MailTool();
    if (tool.isEmpty()) {
        ShowMessage(msg::ReportMailToolMissing, MB_OK | MB_ICONERROR);
        return MailResult::NotStarted;
    }
    QProcess mail;
    mail.setProgram(tool);
    mail.setArguments(MailToolArguments(files));
    // The compose window belongs to the mail program. Events keep flowing
    // while it runs (the caller has disabled its window), so the report
    // window repaints and is fully usable again when the program returns.
    QEventLoop wait;
    bool started = true;
    QObject::connect(&mail, &QProcess::finished, &wait, &QEventLoop::quit);
    QObject::connect(&mail, &QProcess::errorOccurred, &wait, [&](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            started = false;
        wait.quit();
    });
    mail.start();
    if (mail.state() != QProcess::NotRunning || started)
        wait.exec();
    if (!started) {
        ShowMessage(msg::ReportMailToolMissing, MB_OK | MB_ICONERROR);
        return MailResult::NotStarted;
    }
    mail.waitForFinished(1000);
    // xdg-email ends with 3 when no mail client is set up, 4 when the
    // client refused: the dealer must hear that nothing was sent.
    const bool crashed = mail.exitStatus() == QProcess::CrashExit;
    if (crashed || mail.exitCode() != 0) {
        if (exitStatus)
            *exitStatus = crashed ? -1 : mail.exitCode();
        return MailResult::Failed;
    }
    return MailResult::Handed;
}

QString MailFailedText(const QString &tool, int exitStatus)
{
    return LoadString(msg::ReportMailFailed).arg(QFileInfo(tool).fileName()).arg(exitStatus);
}

} // namespace tavo
