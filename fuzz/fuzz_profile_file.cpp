// A profile file's bytes read by the profile file reader every front end uses and saved back: what
// reads as an XML document is written in the form it was read in, and
// reads back as the same document in the same form.

#include "support/QuietSink.h"

#include "base/XmlDom.h"
#include "workflow/ProfileFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdlib>

using namespace tavo;

namespace {

// The document as a comparable text. A save lays the document out anew
// (line breaks, indentation), so whitespace next to markup is layout, not
// content.
QByteArray Canonical(const QString &text)
{
    XmlDocPtr doc = ParseSettingText(text);
    if (!doc)
        return QByteArray();
    static const QRegularExpression beforeTag(QStringLiteral("\\s+<"));
    static const QRegularExpression afterTag(QStringLiteral(">\\s+"));
    QString serialized = QString::fromUtf8(SerializeXml(doc.get()));
    serialized.replace(beforeTag, QStringLiteral("<"));
    serialized.replace(afterTag, QStringLiteral(">"));
    return serialized.toUtf8();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::InstallQuietSink();
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.kp2"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    ProfileFile file;
    QString error;
    if (!ReadProfileFile(path, file, error) || !CheckXmlDocument(file, error))
        return 0;
    if (!SaveProfileFile(file, file.text, error))
        return 0; // a character its set cannot store: refused, file untouched
    ProfileFile again;
    if (!ReadProfileFile(path, again, error))
        std::abort();
    if (again.form.layout != file.form.layout || again.form.scrambled != file.form.scrambled)
        std::abort();
    if (Canonical(again.text) != Canonical(file.text))
        std::abort();
    return 0;
}
