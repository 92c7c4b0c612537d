#pragma once
// Why a serial port can or cannot be used, found without opening it (an
// open would toggle the modem lines of a radio on the cable): the port has
// gone, this user lacks its group (or its mode refuses the group), or other
// programs hold it open, named from /proc.

#include "radio/SerialTransport.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavo {

struct PortAccess {
    enum Kind { Usable, Vanished, Denied, Busy } kind = Usable;
    QString denial;      // Denied: the sentence naming the cause and the cure
    QStringList holders; // Busy: "minicom (process 1234)", one per process
};

// The processes other than this one that hold `path` (or the device it
// links to) open, each as "name (process PID)". Processes of other users
// stay unseen unless this program may look into them.
QStringList PortHolders(const QString &path, const QString &procRoot = QStringLiteral("/proc"));

// Whether this user can open `path` now.
PortAccess CheckPortAccess(const QString &path, const QString &procRoot = QStringLiteral("/proc"));

// The one sentence saying why `path` cannot be used; empty when it can.
QString PortAccessText(const QString &path, const PortAccess &access);

// A port that may be the programming cable: a serial port on USB.
struct CandidatePort {
    QString path;
    QString description; // the USB product string
    bool isCable = false;
    PortAccess access;
};
std::vector<CandidatePort> CandidatePorts(const std::vector<SerialTransport::PortEntry> &ports,
                                          const QString &procRoot = QStringLiteral("/proc"));

} // namespace tavo
