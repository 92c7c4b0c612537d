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

// The files to attach: a detailed report alone; a handout first, then each
// of `images` still present in `folder`. Empty for a handout none of whose
// images exists any more.
QStringList ReportAttachments(ReportKind kind, const QString &folder, const QString &reportPath,
                              const QStringList &images);

// The mail program: an override set here (tests; a null text removes it),
// else "xdg-email" on the search path. Empty when there is none.
void SetMailToolOverride(const QString &program);
QString MailTool();

// The mail tool's arguments for `files`.
QStringList MailToolArguments(const QStringList &files);

// Hands the files to the mail program and waits for it to return. Message
// 393 when there is no mail program; whatever the mail program answers
// (sent, cancelled, failed) shows nothing of ours. False when it did not
// start.
bool SendReportMail(const QStringList &files);

} // namespace tavo
