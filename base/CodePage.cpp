#include "base/CodePage.h"
#include "resources/ProcessContext.h"

#include <cerrno>
#include <QList>
#include <iconv.h>
#include <mutex>

namespace tavo {

namespace {

ContextValue<QByteArray> &codePage()
{
    static ContextValue<QByteArray> value{QByteArray(kDefaultAnsiCodePage)};
    return value;
}

QByteArray currentCodePage()
{
    return codePage().Get();
}

// RAII holder of one iconv conversion descriptor.
class IconvHandle {
public:
    IconvHandle(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (valid())
            iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Converts one unit of input; returns false when iconv rejects it.
bool convertOne(iconv_t cd, const char *in, size_t inLen, QByteArray &out)
{
    char buffer[16];
    char *inPtr = const_cast<char *>(in);
    size_t inLeft = inLen;
    char *outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return false;
    out.append(buffer, static_cast<int>(outPtr - buffer));
    return true;
}

} // namespace

bool SetAnsiCodePage(const QByteArray &iconvName)
{
    IconvHandle probe("UTF-32LE", iconvName.constData());
    if (!probe.valid())
        return false;
    codePage().Set(iconvName);
    return true;
}

QByteArray AnsiCodePage()
{
    return currentCodePage();
}

QString FromAnsi(const char *bytes, int length)
{
    QString result;
    if (length <= 0)
        return result;
    IconvHandle cd("UTF-32LE", currentCodePage().constData());
    for (int i = 0; i < length; ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        QByteArray utf32;
        if (byte < 0x80 || !cd.valid() || !convertOne(cd.get(), bytes + i, 1, utf32) || utf32.size() != 4) {
            result.append(QChar(byte));
            continue;
        }
        const char32_t cp = static_cast<unsigned char>(utf32[0]) | (static_cast<unsigned char>(utf32[1]) << 8)
            | (static_cast<unsigned char>(utf32[2]) << 16) | (static_cast<char32_t>(static_cast<unsigned char>(utf32[3])) << 24);
        result.append(QString::fromUcs4(&cp, 1));
    }
    return result;
}

QByteArray ToAnsi(const QString &text)
{
    QByteArray result;
    IconvHandle cd(currentCodePage().constData(), "UTF-32LE");
    const QList<uint> codePoints = text.toUcs4();
    for (uint cp : codePoints) {
        if (cp < 0x80) {
            result.append(static_cast<char>(cp));
            continue;
        }
        const char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF),
                            static_cast<char>((cp >> 16) & 0xFF), static_cast<char>((cp >> 24) & 0xFF)};
        QByteArray converted;
        if (cd.valid() && convertOne(cd.get(), in, 4, converted) && converted.size() == 1)
            result.append(converted);
        else
            result.append(cp < 0x100 ? static_cast<char>(cp) : '?');
    }
    return result;
}

} // namespace tavo
