#include "radio/PortDiagnostics.h"

#include "radio/FtStatus.h"
#include "radio/SerialDevice.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tavo {

QStringList PortHolders(const QString &path, const QString &procRoot)
{
    const QString device = QFileInfo(path).canonicalFilePath();
    if (device.isEmpty())
        return {};
    const QString self = QString::number(::getpid());
    QStringList holders;
    const QStringList pids = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : pids) {
        bool numeric = false;
        pid.toLongLong(&numeric);
        if (!numeric || pid == self)
            continue;
        const QDir fds(procRoot + QLatin1Char('/') + pid + QStringLiteral("/fd"));
        bool holds = false;
        for (const QString &fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            if (QFileInfo(fds.filePath(fd)).symLinkTarget() == device) {
                holds = true;
                break;
            }
        }
        if (!holds)
            continue;
        QFile comm(procRoot + QLatin1Char('/') + pid + QStringLiteral("/comm"));
        QString name = comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
        if (name.isEmpty())
            name = QStringLiteral("?");
        holders << LoadString(msg::PortHolder).arg(name, pid);
    }
    return holders;
}

PortAccess CheckPortAccess(const QString &path, const QString &procRoot)
{
    PortAccess access;
    const QByteArray local = path.toLocal8Bit();
    if (!QFileInfo::exists(path)) {
        access.kind = PortAccess::Vanished;
        return access;
    }
    if (::faccessat(AT_FDCWD, local.constData(), R_OK | W_OK, AT_EACCESS) != 0) {
        if (errno == ENOENT) {
            access.kind = PortAccess::Vanished;
            return access;
        }
        access.kind = PortAccess::Denied;
        unsigned mode = 0, gid = 0;
        const QString group = QString::fromStdString(serial::DeviceGroup(local.constData()));
        access.denial = serial::DeviceModeAndGroup(local.constData(), mode, gid)
                            ? PermissionAdvice(path, mode, group, serial::ProcessInGroup(gid))
                            : PermissionHint(path, group);
        return access;
    }
    access.holders = PortHolders(path, procRoot);
    if (!access.holders.isEmpty())
        access.kind = PortAccess::Busy;
    return access;
}

QString PortAccessText(const QString &path, const PortAccess &access)
{
    switch (access.kind) {
    case PortAccess::Usable:
        return QString();
    case PortAccess::Vanished:
        return LoadString(msg::PortVanished).arg(path);
    case PortAccess::Denied:
        return access.denial;
    case PortAccess::Busy:
        return LoadString(msg::PortHeldBy).arg(path, access.holders.join(QStringLiteral(", ")));
    }
    return QString();
}

std::vector<CandidatePort> CandidatePorts(const std::vector<SerialTransport::PortEntry> &ports, const QString &procRoot)
{
    std::vector<CandidatePort> out;
    for (const SerialTransport::PortEntry &p : ports) {
        if (!p.description)
            continue; // not on USB: never the cable
        CandidatePort c;
        c.path = p.path;
        c.description = *p.description;
        c.isCable = c.description == QLatin1String(kCableDescription);
        c.access = CheckPortAccess(p.path, procRoot);
        out.push_back(c);
    }
    return out;
}

} // namespace tavo
