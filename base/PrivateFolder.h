#pragma once
// The folder where the files live that only this user's own running
// instances may reach (the cable map, the hand-over socket). Candidates in
// this order: XDG_RUNTIME_DIR, <temporary folder>/tavocps-<uid> and
// <user cache folder>/tavocps-run, the last two made with mode 0700 when
// missing. A candidate is taken only when it is a folder (not a link) that
// this user owns and nobody else may enter; one that somebody else made,
// or that is open to others, is passed over, so that another local user
// who makes it first can neither take the files nor turn them off.

#include <QString>
#include <QStringList>

namespace tavo {

// True when `path` is a folder, not a link, owned by this user, with no
// rights for anybody else.
bool IsPrivateFolder(const QString &path);

// The first private candidate (made when missing), or empty when there is
// none; `passedOver` receives the candidates that exist but are not
// private (somebody else's, a link, open to others).
QString PrivateRuntimeFolder(QStringList *passedOver = nullptr);

} // namespace tavo
