#include "base/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace tavo {

bool IsPrivateFolder(const QString &path)
{
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    return !native.isEmpty() && ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & 077) == 0;
}

namespace {

// `folder` when it is private, made with mode 0700 when missing; else
// empty, and the folder noted when it exists.
QString Candidate(const QString &folder, bool make, QStringList *passedOver)
{
    if (folder.isEmpty() || !folder.startsWith(QLatin1Char('/')))
        return QString();
    const QByteArray native = QFile::encodeName(folder);
    if (make && ::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    if (IsPrivateFolder(folder))
        return folder;
    struct stat st {};
    if (passedOver && ::lstat(native.constData(), &st) == 0)
        *passedOver << folder;
    return QString();
}

} // namespace

QString PrivateRuntimeFolder(QStringList *passedOver)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString folder = Candidate(runtime, false, passedOver);
    if (folder.isEmpty())
        folder = Candidate(QDir::tempPath() + QStringLiteral("/tavocps-%1").arg(::getuid()), true, passedOver);
    if (folder.isEmpty()) {
        // The user's own cache folder (its parents are the user's), for
        // when the shared temporary folder holds somebody else's.
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (!cache.isEmpty() && QDir().mkpath(cache))
            folder = Candidate(cache + QStringLiteral("/tavocps-run"), true, passedOver);
    }
    return folder;
}

} // namespace tavo
