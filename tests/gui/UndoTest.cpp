// Edit > Undo and Redo through the widgets: every kind of change names
// itself in the menu, comes back whole, brings the page and the focus back
// and leaves the modified flag as the saved state says. And a rule that
// stores a value the schema refuses: the GUI and the command line both
// refuse to save it.

#include "PagesFixture.h"

#include "support/CliRunner.h"
#include "views/CButtonsView.h"
#include "views/CChannelView.h"
#include "views/CFrequencyView.h"
#include "views/CScanView.h"
#include "views/LayoutTables.h"
#include "resources/MessageIds.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

using namespace tavo;
using namespace tavo::test;

namespace {

QString UndoCaption(int stepId) { return LoadString(msg::UndoMenuStep).arg(LoadString(stepId)); }
QString RedoCaption(int stepId) { return LoadString(msg::RedoMenuStep).arg(LoadString(stepId)); }

} // namespace

TEST_F(FormPageTest, UndoAndRedoOfEveryKindOfChangeThroughTheWidgets)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    QAction *undo = Frame()->Command(cmd::EditUndo);
    QAction *redo = Frame()->Command(cmd::EditRedo);
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    QMenu *edit = TopMenu(344);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->actions().value(0), undo);
    EXPECT_EQ(edit->actions().value(1), redo);
    EXPECT_EQ(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), LoadString(msg::UndoMenu));

    // An attribute on the audio page; undone from another page, the audio
    // page comes back with the focus on the list.
    Show<CBaseView>(child, PageAudioSettings);
    auto *gain = qobject_cast<QComboBox *>(child->Page()->Control(1025));
    ASSERT_NE(gain, nullptr);
    const int stored = Stored(child, QStringLiteral("setting"), -1, "microphoneGain");
    gain->setFocus(Qt::OtherFocusReason);
    Choose(gain, stored == 0 ? 1 : 0);
    ASSERT_NE(Stored(child, QStringLiteral("setting"), -1, "microphoneGain"), stored);
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepChangeAudio));
    EXPECT_TRUE(doc->IsModified());
    Show<CBaseView>(child, PageChannels);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Stored(child, QStringLiteral("setting"), -1, "microphoneGain"), stored);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(child->PageIndex(), int(PageAudioSettings));
    EXPECT_EQ(QApplication::focusWidget(), child->Page()->Control(1025));
    EXPECT_EQ(qobject_cast<QComboBox *>(child->Page()->Control(1025))->currentIndex(), stored);
    EXPECT_EQ(redo->text(), RedoCaption(msg::StepChangeAudio));
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditRedo));
    EXPECT_NE(Stored(child, QStringLiteral("setting"), -1, "microphoneGain"), stored);
    EXPECT_TRUE(doc->IsModified());
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));

    // A channel renamed on its page: the keystrokes make one step.
    auto *channelPage = Show<CChannelView>(child, PageChannel, 1);
    ASSERT_NE(channelPage, nullptr);
    auto *name = qobject_cast<QLineEdit *>(channelPage->Control(1085));
    const QString oldName = name->text();
    name->setFocus(Qt::OtherFocusReason);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("SITE"));
    ASSERT_TRUE(child->CommitChanges());
    EXPECT_EQ(Item(child, QStringLiteral("channels"), 1).GetText(QStringLiteral("name")), QStringLiteral("SITE"));
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepRenameChannel));
    Show<CBaseView>(child, PageSettings);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Item(child, QStringLiteral("channels"), 1).GetText(QStringLiteral("name")), oldName);
    EXPECT_EQ(child->PageIndex(), int(PageChannel));
    EXPECT_EQ(child->Tree()->currentItem(), child->Tree()->ChannelItem(1));
    EXPECT_EQ(child->Tree()->ChannelItem(1)->text(0), oldName);
    EXPECT_EQ(QApplication::focusWidget(), child->Page()->Control(1085));

    // A channel deleted and added through the tree.
    const int channels = Item(child, QStringLiteral("setting")).GetInt(QStringLiteral("numberChannels"));
    child->Tree()->setCurrentItem(child->Tree()->ChannelItem(2));
    Frame()->UpdateCommandUI();
    m_sink.Answer(IDYES);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditDelete));
    ASSERT_EQ(Item(child, QStringLiteral("setting")).GetInt(QStringLiteral("numberChannels")), channels - 1);
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepDeleteChannel));
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Item(child, QStringLiteral("setting")).GetInt(QStringLiteral("numberChannels")), channels);
    EXPECT_EQ(child->Tree()->ChannelsItem()->childCount(), channels);

    // Frequencies: added, changed and deleted with the page's buttons.
    auto *freqPage = Show<CFrequencyView>(child, PageFrequency);
    ASSERT_NE(freqPage, nullptr);
    auto *table = qobject_cast<QTableWidget *>(freqPage->Control(1067));
    const int rows = table->rowCount();
    QTest::mouseClick(qobject_cast<QPushButton *>(freqPage->Control(1041)), Qt::LeftButton);
    qobject_cast<QLineEdit *>(freqPage->Control(1073))->setText(QStringLiteral("462.5"));
    QTest::mouseClick(qobject_cast<QPushButton *>(freqPage->Control(1041)), Qt::LeftButton);
    ASSERT_EQ(table->rowCount(), rows + 1);
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepAddFrequency));
    table->selectRow(rows);
    QTest::mouseClick(qobject_cast<QPushButton *>(freqPage->Control(1065)), Qt::LeftButton);
    qobject_cast<QLineEdit *>(freqPage->Control(1073))->setText(QStringLiteral("462.75"));
    QTest::mouseClick(qobject_cast<QPushButton *>(freqPage->Control(1065)), Qt::LeftButton);
    ASSERT_EQ(Stored(child, QStringLiteral("frequencies"), rows, "freq"), 462750000);
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepChangeFrequency));
    table->selectRow(rows);
    m_sink.Answer(IDYES);
    QTest::mouseClick(qobject_cast<QPushButton *>(freqPage->Control(1066)), Qt::LeftButton);
    ASSERT_EQ(Item(child, QStringLiteral("frequencies")).GetChildCount(), rows);
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepDeleteFrequency));
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), rows, "freq"), 462750000);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), rows, "freq"), 462500000);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(Item(child, QStringLiteral("frequencies")).GetChildCount(), rows);
    ASSERT_EQ(child->PageIndex(), int(PageFrequency));
    EXPECT_EQ(qobject_cast<QTableWidget *>(child->Page()->Control(1067))->rowCount(), rows);
    EXPECT_FALSE(doc->IsModified());

    // The buttons' reset, every button at once, is one step.
    auto *buttons = Show<CButtonsView>(child, PageButtons);
    ASSERT_NE(buttons, nullptr);
    const QString before = doc->Model().GetXmlText();
    CDataItem setting = Item(child, QStringLiteral("setting"));
    const int callTone = setting.GetInt(QStringLiteral("callTone"));
    ASSERT_EQ(doc->SetAttribute(setting, QStringLiteral("callTone"), callTone == 1 ? 2 : 1).code, RuleResult::Done);
    const QString changed = doc->Model().GetXmlText();
    ASSERT_NE(changed, before); // a change, so a step of its own
    m_sink.Answer(IDYES);
    QTest::mouseClick(qobject_cast<QPushButton *>(buttons->Control(1041)), Qt::LeftButton);
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepResetButtons));
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(doc->Model().GetXmlText(), changed);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(doc->Model().GetXmlText(), before);

    // A move in the scan list.
    auto *scan = Show<CScanView>(child, PageScanList);
    ASSERT_NE(scan, nullptr);
    QTreeWidget *members = scan->MembersList();
    ASSERT_GT(members->topLevelItemCount(), 0);
    const int inList = members->topLevelItemCount();
    members->clearSelection();
    members->topLevelItem(0)->setSelected(true);
    QTest::mouseClick(qobject_cast<QPushButton *>(scan->Control(1034)), Qt::LeftButton);
    ASSERT_EQ(scan->MembersList()->topLevelItemCount(), inList - 1);
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepChangeScanList));
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(child->PageIndex(), int(PageScanList));
    EXPECT_EQ(qobject_cast<CScanView *>(child->Page())->MembersList()->topLevelItemCount(), inList);

    // A CHIRP CSV import: one step; the tree shows the channels again.
    QByteArray csv;
    QString error;
    ASSERT_TRUE(doc->ExportChirpCsv(csv, error));
    const QString csvPath = m_dir.filePath(QStringLiteral("plan.csv"));
    QList<QByteArray> lines = csv.split('\n');
    QList<QByteArray> first = lines[1].split(',');
    first[1] = "IMPORTED";
    lines[1] = first.join(',');
    WriteFileBytes(csvPath, lines.join('\n'));
    CFileDialogs::SetNextAnswer(csvPath);
    m_sink.clear();
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileImportCsv));
    ASSERT_EQ(child->Tree()->ChannelItem(0)->text(0), QStringLiteral("IMPORTED"));
    Frame()->UpdateCommandUI();
    EXPECT_EQ(undo->text(), UndoCaption(msg::StepImportCsv));
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_NE(child->Tree()->ChannelItem(0)->text(0), QStringLiteral("IMPORTED"));
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditRedo));
    EXPECT_EQ(child->Tree()->ChannelItem(0)->text(0), QStringLiteral("IMPORTED"));

    // Saved: the clean point moves; closing drops the history with the window.
    ASSERT_TRUE(doc->DoSave(doc->GetPathName()));
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_TRUE(doc->IsModified());
}

// Two lists of one page changed one after the other, and a change made
// with the focus outside the page: each Undo gives the focus back to the
// control that had it when its change was made (the window keeps what it
// last worked out, so it must notice each move of the focus).
TEST_F(FormPageTest, EachStepReturnsToTheControlThatHadTheFocus)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    Show<CBaseView>(child, PageAudioSettings);
    QWidget *lists[] = {child->Page()->Control(1025), child->Page()->Control(1026)};
    const char *attributes[] = {"microphoneGain", "accessoryMicrophoneGain"};
    for (int i = 0; i < 2; ++i) {
        ASSERT_NE(lists[i], nullptr);
        const int stored = Stored(child, QStringLiteral("setting"), -1, attributes[i]);
        lists[i]->setFocus(Qt::OtherFocusReason);
        Choose(lists[i], stored == 0 ? 1 : 0);
        ASSERT_NE(Stored(child, QStringLiteral("setting"), -1, attributes[i]), stored);
    }
    // The focus in the tree: the step names no control of the page.
    child->Tree()->setFocus(Qt::OtherFocusReason);
    CDataItem setting = child->Document()->Root().ChildByName(QStringLiteral("setting"));
    const int level = setting.GetInt(QStringLiteral("vox_level"));
    ASSERT_EQ(child->Document()->SetAttribute(setting, QStringLiteral("vox_level"), level == 0 ? 1 : 0).code, RuleResult::Done);

    Show<CBaseView>(child, PageChannels);
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
    EXPECT_EQ(child->PageIndex(), int(PageAudioSettings));
    EXPECT_EQ(child->Document()->Root().ChildByName(QStringLiteral("setting")).GetInt(QStringLiteral("vox_level")), level);
    EXPECT_NE(QApplication::focusWidget(), child->Page()->Control(1026)); // not the list changed before
    for (int i = 1; i >= 0; --i) {
        Show<CBaseView>(child, PageChannels);
        ASSERT_TRUE(Frame()->RunCommand(cmd::EditUndo));
        EXPECT_EQ(child->PageIndex(), int(PageAudioSettings));
        EXPECT_EQ(QApplication::focusWidget(), child->Page()->Control(i == 0 ? 1025 : 1026)) << attributes[i];
    }
}

TEST_F(GuiTest, TheGuiAndTheCommandLineRefuseTheSameBrokenRuleSave)
{
    // An installation whose rule stores what the schema refuses.
    const QString install = ScratchInstall();
    const QString rules = install + QStringLiteral("/profiletemplate/DataProfile.lua");
    QByteArray text = ReadFileBytes(rules);
    text += "\nfunction SetValue(elem, attr, value, msgId, answer, msgStyle)\n"
            "    elem:SetAttribute(attr:Name(), \"loud\")\n"
            "    return 0\n"
            "end\n";
    ASSERT_TRUE(WriteFileBytes(rules, text));
    const QString path = ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("broken.kp2"));
    const QByteArray original = ReadFileBytes(path);

    ASSERT_TRUE(Start());
    CChildFrame *child = Frame()->OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    CDataItem setting;
    child->Document()->Root().GetChildByName(QStringLiteral("setting"), setting);
    // (Not the stored 3: a value already stored changes nothing.)
    ASSERT_EQ(child->Document()->SetAttribute(setting, QStringLiteral("vox_level"), 2).code, RuleResult::Done);
    m_sink.clear();
    Frame()->RunCommand(cmd::FileSave);
    ASSERT_EQ(m_sink.shown().size(), 1u);
    const QString shown = m_sink.last();
    EXPECT_TRUE(shown.contains(QStringLiteral("vox_level"))) << shown.toStdString();
    EXPECT_EQ(ReadFileBytes(path), original);
    EXPECT_TRUE(child->Document()->IsModified());

    const CliResult r = RunCli({QStringLiteral("--install-dir"), install, QStringLiteral("set"), path,
                                QStringLiteral("setting"), QStringLiteral("vox_level"), QStringLiteral("2")});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    // The same refusal, word for word.
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(shown.trimmed())) << r.err.toStdString() << "\n--\n" << shown.toStdString();
    EXPECT_TRUE(r.err.contains("vox_level")) << r.err.toStdString();
    EXPECT_EQ(ReadFileBytes(path), original);
}
