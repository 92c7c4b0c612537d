#include "base/TemplateFile.h"

#include "base/CodePage.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageIds.h"

#include <QBuffer>
#include <QFile>
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

// Reads up to `size` bytes; a device error raises id 131.
QByteArray ReadChunk(QIODevice *file, int size)
{
    QByteArray chunk(size, Qt::Uninitialized);
    const qint64 got = file->read(chunk.data(), size);
    if (got < 0)
        ThrowCPSException(msg::UnknownError, QStringLiteral("cannot read the file: %1").arg(file->errorString()),
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
void ReadUtf16Body(QIODevice *file, QString &text)
{
    bool first = true;
    bool scrambled = false;
    QByteArray pending;
    for (;;) {
        const QByteArray chunk = ReadChunk(file, kUtf16ChunkBytes);
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

void ReadAnsiBody(QIODevice *file, QString &text)
{
    bool first = true;
    bool scrambled = false;
    for (;;) {
        QByteArray chunk = ReadChunk(file, kAnsiChunkBytes);
        if (chunk.isEmpty())
            break;
        if (first) {
            scrambled = !IsPlainTemplateText(FromAnsi(chunk));
            first = false;
        }
        if (scrambled)
            for (char &c : chunk)
                c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
        text += FromAnsi(chunk);
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
        const QByteArray head = ReadChunk(file, 2);
        if (head.size() == 2 && static_cast<unsigned char>(head[0]) == 0xFF && static_cast<unsigned char>(head[1]) == 0xFE) {
            ReadUtf16Body(file, text);
        } else {
            if (!file->seek(start))
                ThrowCPSException(msg::UnknownError, QStringLiteral("cannot rewind the file"), "ReadTemplateText", __LINE__);
            ReadAnsiBody(file, text);
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

QString DecodeProfileBytes(const QByteArray &bytes)
{
    const bool bom = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE;
    if (!bom) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError() && IsPlainTemplateText(text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text)) {
            if (text.startsWith(QChar(0xFEFF)))
                text.remove(0, 1);
            return text;
        }
    }
    return DecodeTemplateBytes(bytes);
}

bool LoadProfileFile(const QString &path, QString &text)
{
    text.clear();
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    text = DecodeProfileBytes(bytes);
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
