// The GUI's message sink: each style's buttons with the string table's
// captions, the answer of the button pressed, and of a box closed without one.

#include "app/GuiMessageSink.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace tavo;

namespace {

struct Shown {
    QStringList captions;
    QString defaultCaption;
    int answer = -1;
};

// Shows a box of `style` and, once it is up, hands it to `act`.
Shown ShowAnd(unsigned style, const std::function<void(QMessageBox &)> &act)
{
    Shown shown;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll.stop();
        for (QAbstractButton *b : box->buttons())
            shown.captions << b->text();
        if (box->defaultButton())
            shown.defaultCaption = box->defaultButton()->text();
        act(*box);
    });
    poll.start();
    GuiMessageSink sink;
    shown.answer = sink.Show(QStringLiteral("Is the radio on?"), style);
    return shown;
}

std::function<void(QMessageBox &)> Press(int textId)
{
    return [textId](QMessageBox &box) {
        for (QAbstractButton *b : box.buttons())
            if (b->text() == LoadString(textId))
                QTest::mouseClick(b, Qt::LeftButton);
    };
}

std::function<void(QMessageBox &)> Key(Qt::Key key)
{
    return [key](QMessageBox &box) { QTest::keyClick(&box, key); };
}

} // namespace

TEST(GuiMessageBox, EachStyleShowsItsButtonsAndAnswersThePressedOne)
{
    const QString ok = LoadString(140), cancel = LoadString(141);
    const QString yes = LoadString(msg::ButtonYes), no = LoadString(msg::ButtonNo);

    Shown s = ShowAnd(MB_YESNOCANCEL | MB_ICONQUESTION, Press(msg::ButtonNo));
    EXPECT_EQ(s.answer, IDNO);
    s.captions.sort();
    QStringList expected{yes, no, cancel};
    expected.sort();
    EXPECT_EQ(s.captions, expected);
    EXPECT_EQ(s.defaultCaption, yes);

    s = ShowAnd(MB_OKCANCEL | MB_ICONWARNING, Press(141));
    EXPECT_EQ(s.answer, IDCANCEL);
    EXPECT_EQ(s.captions.size(), 2);
    EXPECT_EQ(s.defaultCaption, ok);

    // Enter takes the default: the first choice.
    s = ShowAnd(MB_YESNO, Key(Qt::Key_Return));
    EXPECT_EQ(s.answer, IDYES);
    s = ShowAnd(MB_OK | MB_ICONERROR, Key(Qt::Key_Return));
    EXPECT_EQ(s.answer, IDOK);
    EXPECT_EQ(s.captions, QStringList{ok});
}

TEST(GuiMessageBox, ClosedWithoutAButtonAnswersTheSafeChoice)
{
    EXPECT_EQ(ShowAnd(MB_YESNO, Key(Qt::Key_Escape)).answer, IDNO);
    EXPECT_EQ(ShowAnd(MB_YESNOCANCEL, Key(Qt::Key_Escape)).answer, IDCANCEL);
    EXPECT_EQ(ShowAnd(MB_OKCANCEL, [](QMessageBox &box) { box.reject(); }).answer, IDCANCEL);
    EXPECT_EQ(ShowAnd(MB_OK, [](QMessageBox &box) { box.reject(); }).answer, IDOK);
}
