#include "base/TemplateFile.h"

#include "base/CodePage.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace tavo {

namespace {

constexpr char16_t kKeyUnit = kScrambleKey;

// One marker of a plain text: the text starts with it, letter case aside.
struct PlainMarker {
    const char *text;
};
constexpr PlainMarker kPlainMarkers[] = {
    {"<?xml"},
    {"Option Explicit"},
    {"--"}, // the Lua rule file starts with a comment
};

char16_t ScrambleUnit(char16_t unit)
{
    return unit == kKeyUnit ? unit : static_cast<char16_t>(unit ^ kKeyUnit);
}

// Reads up to `size` bytes; a device error, or a file that runs past
// kMaxTextFileBytes (counted in `total`), raises id 131.
QByteArray ReadChunk(QIODevice *file, int size, qint64 &total)
{
    QByteArray chunk(size, Qt::Uninitialized);
    const qint64 got = file->read(chunk.data(), size);
    if (got < 0)
        ThrowCPSException(msg::UnknownError, QStringLiteral("cannot read the file: %1").arg(file->errorString()),
                          "ReadTemplateText", __LINE__);
    total += got;
    if (total > kMaxTextFileBytes)
        ThrowCPSException(msg::UnknownError, QStringLiteral("the file is larger than %1 bytes").arg(kMaxTextFileBytes),
                          "ReadTemplateText", __LINE__);
    chunk.truncate(static_cast<int>(got));
    return chunk;
}

QString Utf16FromBytes(const QByteArray &bytes)
{
    const int units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (int i = 0; i < units; ++i)
        text[i] = QChar(static_cast<char16_t>(b[2 * i] | (b[2 * i + 1] << 8)));
    return text;
}

// The rest of a UTF-16 file after its BOM. A trailing odd byte carries over
// to the next chunk; one left at the end of the file is dropped.
void ReadUtf16Body(QIODevice *file, QString &text, qint64 &total)
{
    bool first = true;
    bool scrambled = false;
    QByteArray pending;
    for (;;) {
        const QByteArray chunk = ReadChunk(file, kUtf16ChunkBytes, total);
        if (chunk.isEmpty())
            break;
        pending += chunk;
        QString part = Utf16FromBytes(pending);
        pending = pending.right(pending.size() % 2);
        if (first) {
            scrambled = !IsPlainTemplateText(part);
            first = false;
        }
        if (scrambled)
            ScrambleText(part);
        text += part;
    }
}

bool StartsWithUtf8Bom(const QByteArray &bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF");
}

// The character set named by the XML declaration at the start of an 8-bit
// text, or empty.
QByteArray DeclaredCharset(const QByteArray &bytes)
{
    static const QRegularExpression declaration(QStringLiteral("^<\\?xml[^>]*?\\sencoding\\s*=\\s*[\"']([A-Za-z][A-Za-z0-9._:-]*)[\"']"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(bytes.left(256));
    const QRegularExpressionMatch m = declaration.match(head);
    return m.hasMatch() ? m.captured(1).toLatin1().toUpper() : QByteArray();
}

bool IsUtf8Name(const QByteArray &charset)
{
    return charset == "UTF-8" || charset == "UTF8";
}

// A plain 8-bit profile text, decoded once (see DecodeProfileBytes).
QString DecodePlainEightBit(const QByteArray &bytes, ProfileFileForm &form)
{
    form.layout = ProfileFileForm::EightBit;
    form.scrambled = false;
    if (StartsWithUtf8Bom(bytes)) {
        form.charset = "UTF-8";
        form.utf8Bom = true;
        return QString::fromUtf8(bytes.mid(3));
    }
    const QByteArray declared = DeclaredCharset(bytes);
    // A declared set other than UTF-8 decodes the file when it knows every
    // byte, keeps the declaration readable and writes the text back as the
    // very bytes read (a set such as UTF-7 writes "<" as "+ADw-": a save
    // would turn the file into one that no longer reads as plain text);
    // UTF-16 or UTF-32 cannot name an 8-bit text.
    if (!declared.isEmpty() && !IsUtf8Name(declared) && !declared.startsWith("UTF-16") && !declared.startsWith("UTF-32")
        && !declared.startsWith("UCS")) {
        QString text;
        QByteArray again;
        if (DecodeCharset(declared, bytes, text) && text.startsWith(QLatin1String("<?xml"), Qt::CaseInsensitive)
            && EncodeCharset(declared, text, again) && again == bytes) {
            form.charset = declared;
            return text;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        form.charset = "UTF-8";
        return text;
    }
    form.charset.clear();
    return FromAnsi(bytes);
}

// An 8-bit file: the first chunk decides plain or scrambled (a UTF-8
// byte-order mark before a plain marker counts as plain); the whole text is
// then decoded in one step, a plain one by its declared character set when
// that decodes it (see DecodePlainEightBit), a scrambled one in the ANSI
// code page.
void ReadAnsiBody(QIODevice *file, QString &text, qint64 &total, ProfileFileForm *form)
{
    QByteArray bytes;
    bool first = true;
    bool scrambled = false;
    for (;;) {
        QByteArray chunk = ReadChunk(file, kAnsiChunkBytes, total);
        if (chunk.isEmpty())
            break;
        if (first) {
            const QByteArray head = StartsWithUtf8Bom(chunk) ? chunk.mid(3, 16) : chunk.left(16);
            scrambled = !IsPlainTemplateText(QString::fromLatin1(head));
            first = false;
        }
        if (scrambled)
            for (char &c : chunk)
                c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
        bytes += chunk;
    }
    ProfileFileForm local;
    ProfileFileForm &f = form ? *form : local;
    if (scrambled) {
        f.layout = ProfileFileForm::EightBit;
        f.scrambled = true;
        f.charset.clear();
        text = FromAnsi(bytes);
    } else {
        text = DecodePlainEightBit(bytes, f);
    }
}

} // namespace

bool IsPlainTemplateText(const QString &text)
{
    for (const PlainMarker &m : kPlainMarkers) {
        const QLatin1String marker(m.text);
        if (text.startsWith(marker, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void ScrambleText(QString &text)
{
    for (QChar &c : text)
        c = QChar(ScrambleUnit(c.unicode()));
}

int ReadTemplateText(QIODevice *file, QString &text)
{
    text.clear();
    if (!file)
        return 1;
    try {
        const qint64 start = file->pos();
        qint64 total = 0;
        const QByteArray head = ReadChunk(file, 2, total);
        if (head.size() == 2 && static_cast<unsigned char>(head[0]) == 0xFF && static_cast<unsigned char>(head[1]) == 0xFE) {
            ReadUtf16Body(file, text, total);
        } else {
            if (!file->seek(start))
                ThrowCPSException(msg::UnknownError, QStringLiteral("cannot rewind the file"), "ReadTemplateText", __LINE__);
            total = 0;
            ReadAnsiBody(file, text, total, nullptr);
        }
    } catch (CTavoCPSException &) {
        text.clear();
        throw;
    }
    return 0;
}

bool LoadTemplateFile(const QString &path, QString &text)
{
    text.clear();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    try {
        if (file.size() > kMaxTextFileBytes)
            ThrowCPSException(msg::UnknownError, QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(kMaxTextFileBytes),
                              "LoadTemplateFile", __LINE__);
        ReadTemplateText(&file, text);
    } catch (CTavoCPSException &e) {
        RethrowCPSException(e, "LoadTemplateFile", __LINE__);
    }
    return true;
}

QString DecodeTemplateBytes(const QByteArray &bytes)
{
    QByteArray copy(bytes);
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QString text;
    ReadTemplateText(&buffer, text);
    return text;
}

QString DecodeProfileBytes(const QByteArray &bytes, ProfileFileForm *form)
{
    ProfileFileForm local;
    ProfileFileForm &f = form ? *form : local;
    f = ProfileFileForm();
    const bool bom = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE;
    if (bom) {
        const QString text = DecodeTemplateBytes(bytes);
        f.layout = ProfileFileForm::Utf16;
        f.scrambled = !IsPlainTemplateText(Utf16FromBytes(bytes.mid(2, kUtf16ChunkBytes)));
        return text;
    }
    QByteArray copy(bytes);
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QString text;
    qint64 total = 0;
    ReadAnsiBody(&buffer, text, total, &f);
    return text;
}

bool EncodeProfileText(const QString &text, const ProfileFileForm &form, QByteArray &bytes)
{
    bytes.clear();
    if (form.layout == ProfileFileForm::Utf16) {
        if (form.scrambled) {
            bytes = EncodeScrambledUtf16(text);
            return true;
        }
        bytes.reserve(2 + text.size() * 2);
        bytes.append("\xFF\xFE", 2);
        for (QChar c : text) {
            bytes.append(static_cast<char>(c.unicode() & 0xFF));
            bytes.append(static_cast<char>(c.unicode() >> 8));
        }
        return true;
    }
    QByteArray encoded;
    if (IsUtf8Name(form.charset)) {
        encoded = text.toUtf8();
        if (form.utf8Bom)
            encoded.prepend("\xEF\xBB\xBF");
    } else if (!form.charset.isEmpty()) {
        if (!EncodeCharset(form.charset, text, encoded))
            return false;
    } else {
        encoded = ToAnsi(text);
        if (FromAnsi(encoded) != text)
            return false;
        // The reader takes a plain 8-bit file that is valid UTF-8 as UTF-8:
        // code-page bytes that happen to form UTF-8 for other characters
        // would read back as those, so such a text is stored as UTF-8.
        if (!form.scrambled) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString asUtf8 = utf8.decode(encoded);
            if (!utf8.hasError() && asUtf8 != text)
                encoded = text.toUtf8();
        }
    }
    if (form.scrambled)
        for (char &c : encoded)
            c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
    bytes = encoded;
    return true;
}

FileReadFailure ReadSmallFile(const QString &path, QByteArray &bytes, QString *reason)
{
    bytes.clear();
    // Opened without blocking and looked at before a byte is read: a FIFO
    // (which would wait for a writer, then never say where it ends), a
    // device or a folder is refused at once.
    const QByteArray name = QFile::encodeName(path);
    const int fd = path.isEmpty() ? -1 : ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (reason)
            *reason = QString::fromLocal8Bit(std::strerror(path.isEmpty() ? ENOENT : errno));
        return FileReadFailure::CannotOpen;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        if (reason)
            *reason = LoadString(folder ? msg::FileIsFolder : msg::FileNotRegular);
        return FileReadFailure::CannotOpen;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (reason)
            *reason = file.errorString();
        return FileReadFailure::CannotOpen;
    }
    // The size a regular file declares is checked first; a device or pipe
    // declares none, so the read itself stops one byte past the limit.
    if (file.size() > kMaxTextFileBytes) {
        if (reason)
            *reason = QStringLiteral("it is larger than %1 bytes").arg(kMaxTextFileBytes);
        return FileReadFailure::TooLarge;
    }
    for (;;) {
        const QByteArray chunk = file.read(kMaxTextFileBytes + 1 - bytes.size());
        if (chunk.isEmpty() || file.error() != QFileDevice::NoError)
            break;
        bytes += chunk;
        if (bytes.size() > kMaxTextFileBytes)
            break;
    }
    if (file.error() != QFileDevice::NoError) {
        if (reason)
            *reason = file.errorString();
        bytes.clear();
        return FileReadFailure::ReadError;
    }
    if (bytes.size() > kMaxTextFileBytes) {
        if (reason)
            *reason = QStringLiteral("it is larger than %1 bytes").arg(kMaxTextFileBytes);
        bytes.clear();
        return FileReadFailure::TooLarge;
    }
    return FileReadFailure::None;
}

bool LoadProfileFile(const QString &path, QString &text, ProfileFileForm *form)
{
    text.clear();
    QByteArray bytes;
    if (ReadSmallFile(path, bytes) != FileReadFailure::None)
        return false;
    text = DecodeProfileBytes(bytes, form);
    return true;
}

QByteArray EncodeScrambledUtf16(const QString &text)
{
    QString scrambled(text);
    ScrambleText(scrambled);
    QByteArray out;
    out.reserve(2 + scrambled.size() * 2);
    out.append(static_cast<char>(0xFF));
    out.append(static_cast<char>(0xFE));
    for (QChar c : scrambled) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    return out;
}

} // namespace tavo
