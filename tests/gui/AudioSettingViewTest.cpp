// The audio settings page: stored values shown as list positions and
// checks, rows of missing features hidden, a refused change put back, and
// loading going on past an attribute that cannot be read.

#include "PageTestSupport.h"

#include "views/CAudioSettingView.h"

#include <QCheckBox>
#include <QComboBox>

using namespace tavo;
using namespace tavo::test;

TEST_F(PageTest, AudioSettingsShowStoredValuesHideMissingFeaturesAndPutBackARefusal)
{
    // VOX off (3); roger beep disabled by its limit flag.
    const QString path = ProfileWith(QStringLiteral("OUD11602"), QStringLiteral("audio.kp2"),
                                     {{QStringLiteral("disable_roger_beep_feature=\"0\""), QStringLiteral("disable_roger_beep_feature=\"1\"")},
                                      {QStringLiteral("microphoneGain=\"1\""), QStringLiteral("microphoneGain=\"2\"")},
                                      // a radio's value outside the list
                                      {QStringLiteral("accessoryMicrophoneGain=\"1\""), QStringLiteral("accessoryMicrophoneGain=\"8\"")}});
    auto *page = OpenPage<CAudioSettingView>(path, PageAudioSettings);
    ASSERT_NE(page, nullptr);
    // An attribute that cannot be read is reported and the controls after
    // it are still filled.
    SetRaw("setting", "ivol_level", nullptr);
    m_sink.clear();
    m_child->SwitchPage(PageAudioSettings);
    QApplication::processEvents();
    page = qobject_cast<CAudioSettingView *>(m_child->Page());
    ASSERT_NE(page, nullptr);
    auto list = [&](int id) { return qobject_cast<QComboBox *>(page->Control(id)); };
    auto box = [&](int id) { return qobject_cast<QCheckBox *>(page->Control(id)); };
    EXPECT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(list(1028)->currentIndex(), -1);
    EXPECT_EQ(list(1027)->count(), 4);
    EXPECT_EQ(list(1027)->currentText(), LoadString(193));
    EXPECT_EQ(list(1025)->currentIndex(), 2);
    EXPECT_EQ(list(1026)->currentText(), QStringLiteral("8 (not in the list)")); // not a position of the list: shown as itself
    EXPECT_EQ(list(1028)->count(), 3);
    EXPECT_TRUE(box(1018)->isChecked());
    EXPECT_TRUE(page->Control(1017)->isHidden());
    EXPECT_TRUE(page->Control(1024)->isHidden());
    EXPECT_FALSE(page->Control(1018)->isHidden());
    // The rows below close the gap: keypad beep sits one row under iVOX.
    EXPECT_EQ(page->Control(1018)->y() - page->Control(1028)->y(), page->Control(1028)->y() - page->Control(1027)->y());

    // The roger beep box, hidden with its feature, is refused if reached.
    m_sink.clear();
    qobject_cast<QCheckBox *>(page->Control(1017))->click();
    EXPECT_EQ(m_sink.last(), LoadString(261));
    EXPECT_FALSE(box(1017)->isChecked());
    EXPECT_FALSE(Doc()->IsModified());

    // A change is written at once.
    list(1025)->setFocus();
    QTest::keyClick(list(1025), Qt::Key_Up);
    EXPECT_EQ(Setting().GetInt(QStringLiteral("microphoneGain")), 1);
    EXPECT_TRUE(Doc()->IsModified());
    box(1018)->setFocus();
    QTest::keyClick(box(1018), Qt::Key_Space);
    EXPECT_EQ(Setting().GetInt(QStringLiteral("keypadBeep")), 0);

    // Refused (keypad beep disabled meanwhile): 261, the stored value back.
    SetRaw("limit", "disable_keypad_beep_feature", "1");
    Doc()->SetModifiedFlag(false);
    m_sink.clear();
    QTest::keyClick(box(1018), Qt::Key_Space);
    EXPECT_EQ(m_sink.last(), LoadString(261));
    EXPECT_FALSE(box(1018)->isChecked());
    EXPECT_EQ(Setting().GetInt(QStringLiteral("keypadBeep")), 0);
    EXPECT_FALSE(Doc()->IsModified());

    // A limit flag hides its row whatever the visibility entries say.
    auto *other = OpenPage<CAudioSettingView>(ProfileWith(QStringLiteral("OUR10802"), QStringLiteral("audio2.kp2"),
        {{QStringLiteral("disable_vox_feature=\"0\""), QStringLiteral("disable_vox_feature=\"1\"")}}), PageAudioSettings);
    ASSERT_NE(other, nullptr);
    EXPECT_TRUE(other->Control(1027)->isHidden());
    EXPECT_TRUE(other->Control(1022)->isHidden());
    EXPECT_EQ(other->Control(1028)->y() - other->Control(1026)->y(), other->Control(1026)->y() - other->Control(1025)->y());
}
