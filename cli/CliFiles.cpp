#include "cli/CliFiles.h"
#include "cli/CliCommand.h"

#include <QFile>

#include <cstring>

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

bool WriteImageFile(const QString &path, const VirtualCP &cp, QString &error)
{
    return WriteFileAtomically(path, QByteArray(reinterpret_cast<const char *>(cp.bytes.data()), VirtualCP::kSize), error);
}

bool OpenProfileDocument(const QString &path, CTavoCPSDoc &doc)
{
    ProfileFile file;
    QString error;
    if (!ReadProfileFile(path, file, error)) {
        Fail(error);
        return false;
    }
    if (!doc.OpenProfileFile(file)) {
        Fail(QStringLiteral("The profile %1 was not loaded.").arg(path));
        return false;
    }
    return true;
}

int SaveProfileDocument(CTavoCPSDoc &doc)
{
    return doc.OnSaveDocument(doc.GetPathName()) ? ExitOk : ExitFailed;
}

} // namespace tavo::cli
