#pragma once
// E-mailing a report: the attachment list and the hand-over to the user's
// mail program through xdg-email (one --attach per file, no recipients,
// no subject), which opens its compose window.

#include "reports/ReportLabels.h"

#include <QString>
#include <QStringList>

namespace tavo {

// The handout's images, in the order they are looked for.
QStringList HandoutImageNames(bool displayModel);

// The handout images present in `folder`, in list order.
QStringList FindHandoutImages(const QString &folder, bool displayModel);

// The file a report is e-mailed as: a PDF of the report beside it, with
// the report's name ("Customer Handout.htm" -> "Customer Handout.pdf").
QString ReportMailAttachment(const QString &reportPath);

// The mail program: an override set here (tests; a null text removes it),
// else "xdg-email" on the search path. Empty when there is none.
void SetMailToolOverride(const QString &program);
QString MailTool();

// The mail tool's arguments for `files`.
QStringList MailToolArguments(const QStringList &files);

// What became of a report handed to the mail program.
enum class MailResult {
    Handed,     // the mail program took the files (its compose window is its own)
    NotStarted, // no mail program, or it could not be started (said)
    Failed      // it ran but could not start a message (no mail client set up)
};

// Hands the files to the mail program and waits for it to return. A
// message naming xdg-email and its package when there is no mail program. A mail program that ends with a
// non-zero exit status (or crashes) gives Failed with that status in
// `exitStatus`; the caller says so.
MailResult SendReportMail(const QStringList &files, int *exitStatus = nullptr);

// The text for a mail program that could not start a message: it names
// the program and its exit status and offers Save As instead (Yes/No).
QString MailFailedText(const QString &tool, int exitStatus);

} // namespace tavo
