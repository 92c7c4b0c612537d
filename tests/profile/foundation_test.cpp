// The shared pieces under everything: exception traces, the message sink,
// the ANSI code page.

#include "support/RecordingSink.h"

#include "base/CodePage.h"
#include "base/CTavoCPSException.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

using namespace tavo;

namespace {
void Inner()
{
    ThrowCPSException(137, QStringLiteral("InitNew failed"), "CRadioDataModel::Initialize", 42);
}

void Outer()
{
    try {
        Inner();
    } catch (CTavoCPSException &e) {
        RethrowCPSException(e, "CRadioDataModel::LoadProfile", 99);
    }
}
} // namespace

TEST(Exception, TraceReadsInnermostFirst)
{
    try {
        Outer();
        FAIL() << "no exception";
    } catch (const CTavoCPSException &e) {
        EXPECT_EQ(e.m_nMsgID, 137);
        EXPECT_EQ(e.m_strMessage, QStringLiteral("\n(CRadioDataModel::Initialize:42) InitNew failed"
                                                 "\n(CRadioDataModel::LoadProfile:99) Exception Catched"));
    }
    EXPECT_EQ(FormatLibraryError(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")),
              QStringLiteral("ErrorMsg: a\nDesc: b\nSource: c"));
}

TEST(MessageSink, RecordsAndAnswersFromTheScript)
{
    {
        test::RecordingSink sink;
        sink.Answer(IDNO);
        EXPECT_EQ(ShowMessage(315, MB_YESNO | MB_ICONQUESTION), IDNO);
        EXPECT_EQ(ShowMessage(315, MB_YESNO), IDYES); // script used up: default button
        EXPECT_EQ(ShowMessageText(QStringLiteral("plain"), MB_OKCANCEL), IDOK);
        ASSERT_EQ(sink.shown().size(), 3u);
        EXPECT_EQ(sink.shown()[0].text, LoadString(315));
        EXPECT_EQ(sink.shown()[0].style, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(sink.last(), QStringLiteral("plain"));
        {
            test::RecordingSink nested; // a nested sink restores the outer one
            ShowMessageText(QStringLiteral("inner"));
            EXPECT_EQ(nested.shown().size(), 1u);
        }
        ShowMessageText(QStringLiteral("outer again"));
        EXPECT_EQ(sink.shown().size(), 4u);
    }
    EXPECT_EQ(DefaultAnswer(MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(DefaultAnswer(MB_OK | MB_ICONERROR), IDOK);
}

TEST(CodePage, Windows1252AndItsGaps)
{
    ASSERT_EQ(AnsiCodePage(), QByteArray("CP1252"));
    const QByteArray bytes("A\xE9\x80\x9F\x81", 5);
    const QString text = FromAnsi(bytes);
    EXPECT_EQ(text, QString::fromUtf8("Aé€Ÿ") + QChar(0x81)); // 0x81 has no character: kept as U+0081
    EXPECT_EQ(ToAnsi(text), bytes);                          // and comes back as the same byte
    EXPECT_EQ(ToAnsi(QString::fromUtf8("Ж")), QByteArray("?"));
    EXPECT_EQ(ToAnsi(QString::fromUtf8("😀")), QByteArray("?"));
    EXPECT_EQ(FromAnsi(QByteArray()), QString());
}

TEST(CodePage, IsConfiguredInOnePlace)
{
    EXPECT_FALSE(SetAnsiCodePage("NO-SUCH-CODE-PAGE"));
    EXPECT_EQ(AnsiCodePage(), QByteArray("CP1252"));
    ASSERT_TRUE(SetAnsiCodePage("CP1250"));
    EXPECT_EQ(FromAnsi(QByteArray("\x8A", 1)), QString::fromUtf8("Š"));
    EXPECT_EQ(ToAnsi(QString::fromUtf8("ł")), QByteArray("\xB3", 1));
    ASSERT_TRUE(SetAnsiCodePage(kDefaultAnsiCodePage));
}
