// The reader of stored text files: layouts, plain markers, scrambling and
// the chunked reading.

#include "base/CodePage.h"
#include "base/TemplateFile.h"
#include "base/XmlDom.h"
#include "base/CTavoCPSException.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tavo;

namespace {

QByteArray Utf16Le(const QString &text, bool bom = true)
{
    QByteArray out;
    if (bom)
        out.append("\xFF\xFE", 2);
    for (QChar c : text) {
        out.append(static_cast<char>(c.unicode() & 0xFF));
        out.append(static_cast<char>(c.unicode() >> 8));
    }
    return out;
}

QByteArray ScrambledAnsi(const QByteArray &plain)
{
    QByteArray out = plain;
    for (char &c : out)
        c = static_cast<char>(static_cast<unsigned char>(c) ^ kScrambleKey);
    return out;
}

// A text of exactly `length` characters that starts with the XML marker.
QString XmlTextOfLength(int length)
{
    QString text = QStringLiteral("<?xml version=\"1.0\"?><a>");
    while (text.size() < length)
        text += QChar(static_cast<char16_t>(u'a' + text.size() % 26));
    return text.left(length);
}

// A device whose reads fail after the first `goodBytes` bytes.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QByteArray data, qint64 goodBytes) : m_data(std::move(data)), m_good(goodBytes) { open(ReadOnly); }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_data.size(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (pos() >= m_good)
            return -1;
        const qint64 n = std::min(maxSize, m_good - pos());
        std::memcpy(data, m_data.constData() + pos(), static_cast<size_t>(n));
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_good;
};

} // namespace

TEST(TemplateText, PlainMarkersInBothLayoutsIgnoreLetterCase)
{
    const struct {
        QString text;
        bool plain;
    } cases[] = {
        {QStringLiteral("<?XML version=\"1.0\"?><a/>"), true},
        {QStringLiteral("<?xml version=\"1.0\"?><a/>"), true},
        {QStringLiteral("OPTION EXPLICIT\r\nDim a"), true},
        {QStringLiteral("option explicit"), true},
        {QStringLiteral("-- rules\nreturn 0"), true},
        {QStringLiteral("<a/>"), false},
        {QStringLiteral("Option Explici"), false}, // shorter than the marker
        {QStringLiteral("-"), false},
        {QString(), false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsPlainTemplateText(c.text), c.plain) << c.text.toStdString();
        if (!c.plain)
            continue;
        // Stored plain, either layout reads back unchanged.
        EXPECT_EQ(DecodeTemplateBytes(Utf16Le(c.text)), c.text);
        EXPECT_EQ(DecodeTemplateBytes(c.text.toLatin1()), c.text);
    }
}

TEST(TemplateText, ScrambledFormsReadBackInBothLayouts)
{
    const QString text = QStringLiteral("<TavoProfile name=\"Caf\u00e9\"/>\r\nline two");
    // UTF-16: every unit combined with the key.
    QString scrambled = text;
    ScrambleText(scrambled);
    EXPECT_NE(scrambled, text);
    EXPECT_EQ(DecodeTemplateBytes(Utf16Le(scrambled)), text);
    EXPECT_EQ(DecodeTemplateBytes(EncodeScrambledUtf16(text)), text);
    // 8-bit: every byte combined with the key, then the code page applies.
    EXPECT_EQ(DecodeTemplateBytes(ScrambledAnsi(ToAnsi(text))), text);
}

TEST(TemplateText, KeyCodeUnitIsStoredUnchangedAndNothingBecomesZero)
{
    const QChar key(static_cast<char16_t>(kScrambleKey));
    const QString text = QStringLiteral("<a>") + key + QStringLiteral("x") + key + key + QStringLiteral("</a>");
    const QByteArray stored = EncodeScrambledUtf16(text);
    // The key's own units sit unchanged in the stored bytes.
    EXPECT_EQ(static_cast<unsigned char>(stored[2 + 2 * 3]), kScrambleKey);
    EXPECT_EQ(stored[2 + 2 * 3 + 1], '\0');
    EXPECT_EQ(DecodeTemplateBytes(stored), text);

    // Scrambling is its own inverse and maps no non-zero unit to zero.
    for (unsigned u = 1; u <= 0xFFFF; ++u) {
        QString one(QChar(static_cast<char16_t>(u)));
        ScrambleText(one);
        ASSERT_NE(one.at(0).unicode(), 0) << u;
        ScrambleText(one);
        ASSERT_EQ(one.at(0).unicode(), u);
    }
}

TEST(TemplateText, ChunkBoundariesLoseNothing)
{
    // UTF-16 chunks hold 1023 code units; 8-bit chunks 1023 bytes.
    for (int length : {5, 1022, 1023, 1024, 2046, 2047, 3 * 1023 + 5}) {
        const QString text = XmlTextOfLength(length);
        EXPECT_EQ(DecodeTemplateBytes(Utf16Le(text)), text) << length;
        QString scrambled = text;
        ScrambleText(scrambled);
        // The first chunk decides: every later chunk is unscrambled too.
        EXPECT_EQ(DecodeTemplateBytes(Utf16Le(scrambled)), text) << length;
        EXPECT_EQ(DecodeTemplateBytes(text.toLatin1()), text) << length;
        EXPECT_EQ(DecodeTemplateBytes(ScrambledAnsi(text.toLatin1())), text) << length;
    }
}

TEST(TemplateText, AnsiFileOfExactlyOneChunk)
{
    const QByteArray bytes = XmlTextOfLength(kAnsiChunkBytes).toLatin1();
    ASSERT_EQ(bytes.size(), 1023);
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QString text;
    EXPECT_EQ(ReadTemplateText(&buffer, text), 0);
    EXPECT_EQ(text.size(), 1023);
    EXPECT_TRUE(buffer.atEnd());
}

TEST(TemplateText, OddSizesBomOnlyAndEmptyFiles)
{
    // A trailing odd byte of a UTF-16 file carries no code unit.
    QByteArray odd = Utf16Le(QStringLiteral("<?xml?><a/>"));
    odd.append('Z');
    EXPECT_EQ(DecodeTemplateBytes(odd), QStringLiteral("<?xml?><a/>"));
    // A BOM alone is an empty text; an empty file too.
    EXPECT_EQ(DecodeTemplateBytes(QByteArray("\xFF\xFE", 2)), QString());
    EXPECT_EQ(DecodeTemplateBytes(QByteArray()), QString());
    // One byte, or FE FF (not our BOM): the 8-bit layout.
    // (a single "-" is no Lua marker, so it reads as scrambled)
    EXPECT_EQ(DecodeTemplateBytes(QByteArray("-")), FromAnsi(QByteArray(1, static_cast<char>('-' ^ kScrambleKey))));
    const QByteArray feff("\xFE\xFF<?xml", 7);
    EXPECT_EQ(DecodeTemplateBytes(feff).size(), 7);
}

TEST(TemplateText, AnsiTextGoesThroughTheCodePage)
{
    // 0xE9 is e-acute and 0x80 the euro sign in the default code page.
    const QByteArray bytes("<?xml?><a n=\"caf\xE9 \x80\"/>");
    EXPECT_EQ(DecodeTemplateBytes(bytes), QStringLiteral("<?xml?><a n=\"caf\u00e9 \u20ac\"/>"));
}

TEST(TemplateText, ReaderResultsAndFailures)
{
    QString text = QStringLiteral("old");
    EXPECT_EQ(ReadTemplateText(nullptr, text), 1);
    EXPECT_TRUE(text.isEmpty());

    FailingDevice failing(Utf16Le(XmlTextOfLength(3000)), 2 + 2046);
    text = QStringLiteral("old");
    try {
        ReadTemplateText(&failing, text);
        FAIL() << "a read error must raise";
    } catch (const CTavoCPSException &e) {
        EXPECT_EQ(e.m_nMsgID, 131);
    }
    EXPECT_TRUE(text.isEmpty());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    text = QStringLiteral("old");
    EXPECT_FALSE(LoadTemplateFile(dir.filePath(QStringLiteral("missing.stv")), text));
    EXPECT_TRUE(text.isEmpty());
    EXPECT_FALSE(LoadTemplateFile(QString(), text));

    QFile file(dir.filePath(QStringLiteral("rules.lua")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Utf16Le(QStringLiteral("-- rules\nreturn 0\n")));
    file.close();
    EXPECT_TRUE(LoadTemplateFile(file.fileName(), text));
    EXPECT_EQ(text, QStringLiteral("-- rules\nreturn 0\n"));
}

TEST(TemplateText, ProfileFilesInEveryStoredForm)
{
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<TavoProfile n=\"\u00e9\u00a5\"/>");
    QString scrambled = text;
    ScrambleText(scrambled);
    EXPECT_EQ(DecodeProfileBytes(Utf16Le(text)), text);              // UTF-16 plain
    EXPECT_EQ(DecodeProfileBytes(EncodeScrambledUtf16(text)), text); // UTF-16 scrambled
    EXPECT_EQ(DecodeProfileBytes(ToAnsi(text)), text);               // 8-bit plain
    EXPECT_EQ(DecodeProfileBytes(ScrambledAnsi(ToAnsi(text))), text); // 8-bit scrambled
    EXPECT_EQ(DecodeProfileBytes(text.toUtf8()), text);              // UTF-8 source
    EXPECT_EQ(DecodeProfileBytes(QByteArray("\xEF\xBB\xBF") + text.toUtf8()), text);

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("p.kp2")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(EncodeScrambledUtf16(text));
    file.close();
    QString read = QStringLiteral("old");
    EXPECT_TRUE(LoadProfileFile(file.fileName(), read));
    EXPECT_EQ(read, text);
    EXPECT_FALSE(LoadProfileFile(dir.filePath(QStringLiteral("none.kp2")), read));
    EXPECT_TRUE(read.isEmpty());
}

TEST(TemplateText, EightBitTextIsDecodedOnceByItsDeclaration)
{
    const QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?><a n=\"Fran\u00e7ais M\u00fcller\"/>");
    QByteArray latin1;
    ASSERT_TRUE(EncodeCharset("ISO-8859-1", text.arg(QStringLiteral("iso-8859-1")), latin1));
    const struct {
        const char *what;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"UTF-8", text.arg(QStringLiteral("UTF-8")).toUtf8(), text.arg(QStringLiteral("UTF-8"))},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF") + text.arg(QStringLiteral("UTF-8")).toUtf8(), text.arg(QStringLiteral("UTF-8"))},
        {"declared ISO-8859-1", latin1, text.arg(QStringLiteral("iso-8859-1"))},
        {"ANSI labelled UTF-8", ToAnsi(text.arg(QStringLiteral("utf-8"))), text.arg(QStringLiteral("utf-8"))},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(DecodeTemplateBytes(c.bytes), c.text) << c.what;
        // The parser takes the decoded text as it is, whatever it declares.
        XmlDocPtr doc = ParseSettingText(DecodeTemplateBytes(c.bytes));
        ASSERT_TRUE(doc) << c.what;
        EXPECT_EQ(XmlAttribute(xmlDocGetRootElement(doc.get()), "n"), QStringLiteral("Fran\u00e7ais M\u00fcller")) << c.what;
    }
    XmlDocPtr doc = ParseXml(text.arg(QStringLiteral("iso-8859-1")).toUtf8());
    ASSERT_TRUE(doc);
    EXPECT_EQ(XmlAttribute(xmlDocGetRootElement(doc.get()), "n"), QStringLiteral("Fran\u00e7ais M\u00fcller"));

    // A declared set that would write the text back as other bytes (UTF-7
    // writes "<" as "+ADw-") does not decode the file: it reads as UTF-8
    // and a save gives back the same plain file (found by fuzzing: the save
    // turned it into a file read as scrambled).
    const QByteArray utf7("<?xml version=\"1.0\" encoding=\"utf-7\"?><a n=\"x\"/>");
    ProfileFileForm form;
    const QString read = DecodeProfileBytes(utf7, &form);
    EXPECT_EQ(form.charset, QByteArray("UTF-8"));
    QByteArray saved;
    ASSERT_TRUE(EncodeProfileText(read, form, saved));
    EXPECT_EQ(saved, utf7);

    // Code-page bytes that happen to be UTF-8 ("\u00c3\u00a9" is C3 A9, UTF-8
    // for "\u00e9") are stored as UTF-8, so the file reads back as written.
    ProfileFileForm ansi;
    ansi.layout = ProfileFileForm::EightBit;
    ansi.scrambled = false;
    const QString lookalike = QStringLiteral("<?xml version=\"1.0\"?><a n=\"\u00c3\u00a9\"/>");
    QByteArray stored;
    ASSERT_TRUE(EncodeProfileText(lookalike, ansi, stored));
    EXPECT_EQ(DecodeProfileBytes(stored), lookalike);
}
