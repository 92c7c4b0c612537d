#pragma once
// File helpers shared by the commands: codeplug images and profile texts.

#include "codeplug/VirtualCP.h"

#include <QString>

namespace tavo::cli {

// Reads a raw 2089-byte image; anything else is refused with a message.
bool ReadImageFile(const QString &path, VirtualCP &cp, QString &error);
// Writes an image atomically: the file is complete or untouched.
bool WriteImageFile(const QString &path, const VirtualCP &cp, QString &error);
// Reads the profile text of PROFILE: a stored profile file or plain XML.
bool ReadProfileText(const QString &path, QString &xml, QString &error);
// Writes bytes atomically.
bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString &error);

} // namespace tavo::cli
