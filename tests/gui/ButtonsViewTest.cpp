// The buttons page: the features each button offers per model, the rows a
// feature brings onto its button's line, one feature per button, presets,
// call tone and the reset to the defaults.

#include "PageTestSupport.h"

#include "views/CButtonsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

using namespace tavo;
using namespace tavo::test;

namespace {
QStringList Items(QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}
// Chooses `text` from a list's drop-down: one change of selection.
void Choose(QComboBox *list, const QString &text)
{
    list->setFocus(Qt::TabFocusReason);
    const int target = list->findText(text);
    ASSERT_GE(target, 0) << text.toStdString();
    list->setCurrentIndex(target);
}
} // namespace

TEST_F(PageTest, ButtonsAssignFeaturesOnceAndMoveTheirRowsOntoTheButtonsLine)
{
    auto *page = OpenPage<CButtonsView>(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("b.kp2")), PageButtons);
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(page->Picture().isNull());
    auto list = [&](int id) { return qobject_cast<QComboBox *>(page->Control(id)); };
    auto code = [&](const char *attr) { return Setting().GetInt(QLatin1String(attr)); };
    auto shown = [&](int id) { return !page->Control(id)->isHidden(); };
    auto sameLine = [&](int a, int b) {
        return qAbs(page->Control(a)->mapTo(page->Form(), QPoint()).y() - page->Control(b)->mapTo(page->Form(), QPoint()).y()) <= 4;
    };
    // Side buttons offer the common group; A, B and C every group; each ends
    // with the no-feature entry. The display model has backlight.
    EXPECT_EQ(Items(list(1001)).size(), 5); // repeater is disabled
    EXPECT_EQ(Items(list(1001)).last(), LoadString(422));
    EXPECT_TRUE(Items(list(1003)).contains(LoadString(423)));
    EXPECT_TRUE(Items(list(1003)).contains(LoadString(425)));
    EXPECT_EQ(list(1001)->currentText(), LoadString(416));
    EXPECT_EQ(list(1003)->currentText(), LoadString(207));
    EXPECT_EQ(Items(list(1030)).size(), 6); // OFF and 5 call tones
    EXPECT_EQ(list(1030)->currentText(), LoadString(221) + QStringLiteral(" 1"));
    // The stored features' rows sit on their buttons' lines.
    EXPECT_TRUE(shown(1030) && sameLine(1030, 1003));
    EXPECT_TRUE(shown(1007) && sameLine(1007, 1005) && sameLine(1014, 1005));
    EXPECT_TRUE(shown(1008) && sameLine(1008, 1006));
    EXPECT_FALSE(shown(1017));
    EXPECT_FALSE(Doc()->IsModified());

    // Monitor is on side button 1 already: 281, button B keeps Preset 1.
    m_sink.clear();
    Choose(list(1005), LoadString(416));
    EXPECT_EQ(m_sink.last(), LoadString(281));
    EXPECT_EQ(list(1005)->currentText(), LoadString(424));
    EXPECT_EQ(code("lower_left_but"), 9);

    // Preset 1 moved from B to A brings its row onto A's line, and takes
    // the call tone row away; another feature on A hides it again.
    Choose(list(1005), LoadString(422));
    EXPECT_EQ(code("lower_left_but"), 0);
    EXPECT_FALSE(shown(1007));
    Choose(list(1003), LoadString(424));
    EXPECT_EQ(code("upper_right_but"), 9);
    EXPECT_TRUE(shown(1007) && sameLine(1007, 1003) && sameLine(1014, 1003));
    EXPECT_FALSE(shown(1030));
    Choose(list(1007), QStringLiteral("PMR 4"));
    CDataItem setting = Setting(), preset;
    setting.GetChildByIndex(0, preset);
    EXPECT_EQ(preset.GetInt(QStringLiteral("channel")), 3);
    Choose(list(1003), LoadString(237));
    EXPECT_FALSE(shown(1007));
    EXPECT_TRUE(shown(1017) && sameLine(1017, 1003));
    Choose(list(1017), LoadString(341));
    EXPECT_EQ(code("disableSelectableScramble"), 1);
    page->Control(1038)->setFocus();
    QTest::keyClick(page->Control(1038), Qt::Key_Space);
    EXPECT_EQ(code("keypadLock"), 1);

    // Reset asks, then writes the defaults and clears the settings.
    m_sink.clear();
    QTest::mouseClick(qobject_cast<QPushButton *>(page->Control(1041)), Qt::LeftButton);
    ASSERT_FALSE(m_sink.empty());
    EXPECT_EQ(m_sink.shown().front().text, LoadString(213));
    EXPECT_EQ(m_sink.shown().size(), 1u); // no refusal shown
    EXPECT_EQ(code("side1_but"), 7);
    EXPECT_EQ(code("side2_but"), 4);
    EXPECT_EQ(code("upper_right_but"), 3);
    EXPECT_EQ(code("lower_left_but"), 9);
    EXPECT_EQ(code("lower_right_but"), 10);
    EXPECT_EQ(code("callTone"), 0);
    EXPECT_EQ(code("disableSelectableScramble"), 0);
    EXPECT_EQ(preset.GetInt(QStringLiteral("channel")), 0);
    EXPECT_EQ(list(1030)->currentText(), LoadString(220));
    EXPECT_EQ(list(1017)->currentText(), LoadString(340));
    EXPECT_EQ(list(1003)->currentText(), LoadString(207));
    EXPECT_TRUE(shown(1030) && sameLine(1030, 1003));
    EXPECT_TRUE(shown(1007) && sameLine(1007, 1005));
    EXPECT_FALSE(shown(1017));
}

TEST_F(PageTest, ButtonsOfferOnlyWhatTheModelAllows)
{
    // No call tones, one preset button: the stored call tone on A and
    // Preset 2 on C are not offered and become no feature.
    auto *page = OpenPage<CButtonsView>(ProfileWith(QStringLiteral("OUD11602"), QStringLiteral("b2.kp2"),
                                                    {{QStringLiteral("max_call_tones=\"5\""), QStringLiteral("max_call_tones=\"0\"")},
                                                     {QStringLiteral("maxPresetButtons=\"2\""), QStringLiteral("maxPresetButtons=\"1\"")},
                                                     {QStringLiteral("callTone=\"1\""), QStringLiteral("callTone=\"0\"")}}),
                                        PageButtons);
    ASSERT_NE(page, nullptr);
    auto list = [&](int id) { return qobject_cast<QComboBox *>(page->Control(id)); };
    EXPECT_EQ(Items(list(1030)), QStringList{LoadString(220)});
    for (int id : {1001, 1002, 1003, 1005, 1006})
        EXPECT_FALSE(Items(list(id)).contains(LoadString(207))) << id;
    EXPECT_TRUE(Items(list(1003)).contains(LoadString(424)));
    EXPECT_FALSE(Items(list(1003)).contains(LoadString(425)));
    EXPECT_EQ(Setting().GetInt(QStringLiteral("upper_right_but")), 0);
    EXPECT_EQ(Setting().GetInt(QStringLiteral("lower_right_but")), 0);
    EXPECT_EQ(list(1003)->currentText(), LoadString(422));
    EXPECT_EQ(list(1006)->currentText(), LoadString(422));
    EXPECT_TRUE(page->Control(1030)->isHidden());
    EXPECT_TRUE(page->Control(1008)->isHidden());

    // A model without a display shows side buttons and A only, no keypad
    // lock, and no backlight feature.
    auto *rotary = OpenPage<CButtonsView>(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("b3.kp2")), PageButtons);
    ASSERT_NE(rotary, nullptr);
    EXPECT_TRUE(rotary->Control(1005)->isHidden());
    EXPECT_TRUE(rotary->Control(1006)->isHidden());
    EXPECT_TRUE(rotary->Control(1038)->isHidden());
    EXPECT_FALSE(rotary->Control(1003)->isHidden());
    EXPECT_FALSE(Items(qobject_cast<QComboBox *>(rotary->Control(1003))).contains(LoadString(423)));
    EXPECT_FALSE(rotary->Picture().isNull());
}

// A model without a display shows side buttons and A only: the lines close
// up above Reset, buttons B and C hold no feature in a new profile or after
// Reset, and give back the presets an older profile left on them, so that
// button A can take one.
TEST_F(PageTest, HiddenButtonsCloseUpAndGiveTheirFeaturesBack)
{
    ASSERT_TRUE(Start());
    Frame()->show();
    for (const QString &model : {QStringLiteral("SUR41622"), QStringLiteral("OUR10802"), QStringLiteral("TVR50822")}) {
        SCOPED_TRACE(model.toStdString());
        m_sink.clear();
        m_child = Frame()->NewDocumentFromTemplate(BuiltInstall() + QStringLiteral("/profiletemplate/") + model + QStringLiteral(".kp2"));
        ASSERT_NE(m_child, nullptr);
        m_child->resize(1000, 720);
        QApplication::processEvents();
        EXPECT_FALSE(Doc()->IsModified()) << "a template comes out clean";
        EXPECT_FALSE(Doc()->CanUndo());
        EXPECT_EQ(Setting().GetInt(QStringLiteral("lower_left_but")), 0);
        EXPECT_EQ(Setting().GetInt(QStringLiteral("lower_right_but")), 0);

        m_child->SwitchPage(PageButtons);
        QApplication::processEvents();
        auto *page = qobject_cast<CButtonsView *>(m_child->Page());
        ASSERT_NE(page, nullptr);
        auto *buttonA = qobject_cast<QComboBox *>(page->Control(1003));
        QWidget *reset = page->Control(1041);
        const int lineHeight = page->Control(1002)->mapTo(page->Form(), QPoint()).y() - page->Control(1001)->mapTo(page->Form(), QPoint()).y();
        ASSERT_GT(lineHeight, 0);
        EXPECT_LE(reset->mapTo(page->Form(), QPoint()).y() - buttonA->mapTo(page->Form(), QPoint()).y(), lineHeight + 4)
            << "Reset right under button A";
        EXPECT_TRUE(page->Control(1007)->isHidden());
        EXPECT_TRUE(page->Control(1008)->isHidden());

        Choose(buttonA, LoadString(424));
        EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
        EXPECT_EQ(Setting().GetInt(QStringLiteral("upper_right_but")), 9);
        EXPECT_FALSE(page->Control(1007)->isHidden());
        EXPECT_LE(qAbs(page->Control(1007)->mapTo(page->Form(), QPoint()).y() - buttonA->mapTo(page->Form(), QPoint()).y()), 4);
        // Reset gives the shown buttons their defaults and the hidden ones none.
        QTest::mouseClick(qobject_cast<QPushButton *>(reset), Qt::LeftButton);
        EXPECT_EQ(Setting().GetInt(QStringLiteral("upper_right_but")), 3);
        EXPECT_EQ(Setting().GetInt(QStringLiteral("lower_left_but")), 0);
        EXPECT_EQ(Setting().GetInt(QStringLiteral("lower_right_but")), 0);
        EXPECT_EQ(m_sink.shown().size(), 1u) << "the question, no refusal";
        Doc()->SetModifiedFlag(false);
        m_child->close();
    }

    // A profile file that still holds them is opened without them, marked
    // modified so that closing asks; a display model's file is left alone.
    auto *rotary = OpenPage<CButtonsView>(ProfileWith(QStringLiteral("SUR41622"), QStringLiteral("sur.kp2"),
                                                      {{QStringLiteral("lower_left_but=\"0\" lower_right_but=\"0\""),
                                                        QStringLiteral("lower_left_but=\"9\" lower_right_but=\"10\"")}}),
                                          PageButtons);
    ASSERT_NE(rotary, nullptr);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Setting().GetInt(QStringLiteral("lower_left_but")), 0);
    EXPECT_EQ(Setting().GetInt(QStringLiteral("lower_right_but")), 0);
    EXPECT_EQ(Setting().GetInt(QStringLiteral("upper_right_but")), 3);
    auto *display = OpenPage<CButtonsView>(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("oud.kp2")), PageButtons);
    ASSERT_NE(display, nullptr);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Setting().GetInt(QStringLiteral("lower_left_but")), 9);
}
