#pragma once
// Whole-file reads and writes for tests.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace tavo::test {

// The file's bytes; empty when it cannot be read.
inline QByteArray ReadFileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace tavo::test
