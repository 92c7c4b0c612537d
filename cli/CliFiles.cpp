#include "cli/CliFiles.h"
#include "base/TemplateFile.h"

#include <QFile>
#include <QSaveFile>

namespace tavo::cli {

bool ReadImageFile(const QString &path, VirtualCP &cp, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open the codeplug image %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(VirtualCP::kSize + 1);
    if (bytes.size() != static_cast<int>(VirtualCP::kSize)) {
        error = QStringLiteral("%1 is not a codeplug image: it holds %2 bytes, an image holds %3.")
                    .arg(path).arg(bytes.size()).arg(VirtualCP::kSize);
        if (bytes.size() > static_cast<int>(VirtualCP::kSize))
            error = QStringLiteral("%1 is not a codeplug image: it is longer than %2 bytes.").arg(path).arg(VirtualCP::kSize);
        return false;
    }
    std::memcpy(cp.bytes.data(), bytes.constData(), VirtualCP::kSize);
    return true;
}

bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool WriteImageFile(const QString &path, const VirtualCP &cp, QString &error)
{
    return WriteFileAtomically(path, QByteArray(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize), error);
}

bool ReadProfileText(const QString &path, QString &xml, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open the profile %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("Cannot read the profile %1: %2").arg(path, file.errorString());
        return false;
    }
    // Profile files come in four stored forms (UTF-16 or 8-bit, plain or
    // scrambled); plain UTF-8 XML is read as such.
    xml = DecodeProfileBytes(bytes);
    return true;
}

} // namespace tavo::cli
