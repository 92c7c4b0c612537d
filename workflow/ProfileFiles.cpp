#include "workflow/ProfileFiles.h"
#include "base/AtomicFile.h"
#include "base/CodePage.h"
#include "base/XmlDom.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace tavo {

namespace {

// The XML declaration at the start of a text ("<?xml" and a blank, up to
// "?>"), or empty. A processing instruction whose target merely starts with
// "xml" ("<?xmll ...?>") is not one: it is a node of the document.
QString DeclarationOf(const QString &text)
{
    if (!text.startsWith(QLatin1String("<?xml")) || text.size() < 6 || !text.at(5).isSpace())
        return QString();
    const int end = text.indexOf(QLatin1String("?>"));
    return end > 0 ? text.left(end + 2) : QString();
}

// `xml` laid out as `original` was: its declaration, its line break (none,
// LF or CR LF) and its indentation.
bool LayOutLike(const QString &xml, const QString &original, QString &out, QString &error)
{
    XmlParseError parseError;
    XmlDocPtr doc = ParseSettingText(xml, &parseError);
    if (!doc) {
        error = parseError.reason;
        return false;
    }
    const int nl = original.indexOf(QLatin1Char('\n'));
    QByteArray bytes;
    if (nl < 0) {
        bytes = SerializeXml(doc.get());
        bytes.replace("\n", "");
    } else {
        const QByteArray lineBreak = nl > 0 && original.at(nl - 1) == QLatin1Char('\r') ? "\r\n" : "\n";
        const bool tabs = !original.contains(QLatin1String("\n ")) || original.contains(QLatin1String("\n\t"));
        bytes = SerializeXmlIndented(doc.get(), tabs ? "\t" : "  ", lineBreak);
    }
    out = QString::fromUtf8(bytes);
    // The file keeps its own declaration, or none: the serializer's names
    // UTF-8 whatever character set the file is stored in.
    const QString declaration = DeclarationOf(original);
    const QString written = DeclarationOf(out);
    if (!written.isEmpty()) {
        int length = written.size();
        if (declaration.isEmpty())
            while (length < out.size() && (out.at(length) == QLatin1Char('\r') || out.at(length) == QLatin1Char('\n')))
                ++length;
        out.replace(0, length, declaration);
    }
    return true;
}

} // namespace

bool ReadProfileFile(const QString &path, ProfileFile &file, QString &error)
{
    file = ProfileFile();
    file.path = path;
    QByteArray bytes;
    QString reason;
    switch (ReadSmallFile(path, bytes, &reason)) {
    case FileReadFailure::None:
        break;
    case FileReadFailure::CannotOpen:
        error = LoadString(msg::CannotOpenProfile).arg(path, reason);
        return false;
    case FileReadFailure::TooLarge:
        error = LoadString(msg::NotAProfileFile).arg(path, reason);
        return false;
    case FileReadFailure::ReadError:
        error = LoadString(msg::CannotReadProfile).arg(path, reason);
        return false;
    }
    file.text = DecodeProfileBytes(bytes, &file.form);
    file.stamp = FileStamp::OfRead(path, bytes);
    return true;
}

bool ReadProfileText(const QString &path, QString &xml, QString &error)
{
    ProfileFile file;
    if (!ReadProfileFile(path, file, error))
        return false;
    xml = file.text;
    return true;
}

bool CheckXmlDocument(const ProfileFile &file, QString &error)
{
    XmlParseError parseError;
    if (ParseSettingText(file.text, &parseError))
        return true;
    const QString loading = QString::asprintf(LoadString(msg::ProfileLoadingError).toUtf8().constData(),
                                              file.path.toUtf8().constData(), parseError.reason.toUtf8().constData(),
                                              parseError.line, parseError.column, parseError.sourceLine.toUtf8().constData());
    error = LoadString(msg::InvalidProfile) + QLatin1Char('\n') + loading;
    return false;
}

bool ProfileBytesLike(const ProfileFile &file, const QString &xml, QByteArray &bytes, QString &error)
{
    QString text;
    QString why;
    if (!LayOutLike(xml, file.text, text, why)) {
        error = LoadString(msg::CannotWriteFile).arg(file.path, why);
        return false;
    }
    if (!EncodeProfileText(text, file.form, bytes)) {
        const QString charset = file.form.charset.isEmpty() ? QString::fromLatin1(AnsiCodePage()) : QString::fromLatin1(file.form.charset);
        error = LoadString(msg::CannotWriteFile).arg(file.path, LoadString(msg::CharsetCannotStore).arg(charset));
        return false;
    }
    return true;
}

bool SaveProfileFile(const ProfileFile &file, const QString &xml, QString &error)
{
    QByteArray bytes;
    return ProfileBytesLike(file, xml, bytes, error) && WriteFileAtomically(file.path, bytes, error);
}

FileStamp FileStamp::Of(const QString &path)
{
    FileStamp stamp;
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxTextFileBytes || !file.open(QIODevice::ReadOnly))
        return stamp;
    return OfRead(path, file.read(kMaxTextFileBytes + 1));
}

FileStamp FileStamp::OfRead(const QString &path, const QByteArray &bytes)
{
    FileStamp stamp;
    stamp.known = true;
    stamp.size = bytes.size();
    stamp.modified = QFileInfo(path).lastModified();
    stamp.hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return stamp;
}

bool FileStamp::ChangedIn(const FileStamp &now) const
{
    if (!known || !now.known)
        return false;
    // The same bytes under a new time (touched, or saved unchanged) are
    // the same profile.
    return now.size != size || now.hash != hash;
}

} // namespace tavo
