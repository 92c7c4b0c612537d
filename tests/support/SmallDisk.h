#pragma once
// A small file system of its own for one test (a tmpfs), to fill up and
// watch the program meet a full disk for real. Mounting needs the right to
// mount; without it Mounted() is false and Why() says so, for GTEST_SKIP.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace tavo::test {

class SmallDisk {
public:
    explicit SmallDisk(const char *size = "64k")
    {
        const QByteArray where = QFile::encodeName(m_dir.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV, (QByteArray("size=") + size).constData()) == 0)
            m_bMounted = true;
        else
            m_strWhy = QStringLiteral("a tmpfs cannot be mounted here (%1): the full-disk case is not tried").arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~SmallDisk()
    {
        if (m_bMounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool Mounted() const { return m_bMounted; }
    std::string Why() const { return m_strWhy.toStdString(); }
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString &name) const { return m_dir.filePath(name); }

    // Takes every free block with the file ".filler"; Free() gives them back.
    void Fill()
    {
        const int fd = ::open(QFile::encodeName(FilePath(kFiller)).constData(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        static const char block[4096] = {};
        while (fd >= 0 && ::write(fd, block, sizeof block) > 0) {
        }
        while (fd >= 0 && ::write(fd, block, 1) > 0) {
        }
        if (fd >= 0)
            ::close(fd);
    }
    void Free() { QFile::remove(FilePath(kFiller)); }
    // The names in the file system other than the filler.
    QStringList Names() const
    {
        QStringList names = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        names.removeAll(kFiller);
        return names;
    }

private:
    static inline const QString kFiller = QStringLiteral(".filler");
    QTemporaryDir m_dir;
    bool m_bMounted = false;
    QString m_strWhy;
};

} // namespace tavo::test
