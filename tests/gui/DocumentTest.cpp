// The profile document through the shell: the tree's add, delete and
// rename; Save and reopen; a save that is interrupted or cannot be written.

#include "GuiFixture.h"
#include "support/SmallDisk.h"

#include "base/TemplateFile.h"
#include "codeplug/VirtualCP.h"

#include <cstring>

#include <QLineEdit>

using namespace tavo;
using namespace tavo::test;

namespace {

QStringList ChannelCaptions(CTavoCPSTreeView *tree)
{
    QStringList names;
    for (int i = 0; i < tree->ChannelsItem()->childCount(); ++i)
        names << tree->ChannelsItem()->child(i)->text(0);
    return names;
}

QString StoredText(const QString &path)
{
    QString text;
    EXPECT_TRUE(LoadProfileFile(path, text));
    return text;
}

} // namespace

TEST_F(GuiTest, TreeAddsDeletesAndRenamesChannelsThroughTheRules)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("t.kp2")));
    ASSERT_NE(child, nullptr);
    CTavoCPSTreeView *tree = child->Tree();
    CTavoCPSDoc *doc = child->Document();
    // Root, five fixed children and the scan list; no customised tones (maxCodes 122).
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Olvan Series"));
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 6);
    EXPECT_EQ(ChannelCaptions(tree).size(), 8);
    EXPECT_EQ(tree->ItemValue(tree->ChannelItem(2)), 6 + 65536 * 2);

    // The channel table is full: Add is off on Channels; Rename and Delete on a channel.
    tree->setCurrentItem(tree->ChannelsItem());
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Frame()->Command(cmd::EditAdd)->isEnabled());
    tree->setCurrentItem(tree->ChannelItem(2));
    Frame()->UpdateCommandUI();
    EXPECT_TRUE(Frame()->Command(cmd::EditRename)->isEnabled());
    EXPECT_TRUE(Frame()->Command(cmd::EditDelete)->isEnabled());

    // Deleting channel 3 of 8: the rest read 1, 2, 4, ... under icons 1 to 7.
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditDelete));
    EXPECT_EQ(ChannelCaptions(tree),
              (QStringList{"PMR 1", "PMR 2", "PMR 4", "PMR 5", "PMR 6", "PMR 7", "PMR 8"}));
    EXPECT_EQ(tree->ItemValue(tree->ChannelItem(2)), 6 + 65536 * 2);
    EXPECT_TRUE(doc->IsModified());

    // A preset channel asks first; No keeps it.
    tree->setCurrentItem(tree->ChannelItem(0));
    m_sink.clear();
    m_sink.Answer(IDNO);
    Frame()->RunCommand(cmd::EditDelete);
    EXPECT_EQ(m_sink.last(), LoadString(401));
    EXPECT_EQ(ChannelCaptions(tree).size(), 7);

    // Add on Channels appends a channel and selects it.
    tree->setCurrentItem(tree->ChannelsItem());
    ASSERT_TRUE(Frame()->RunCommand(cmd::EditAdd));
    EXPECT_EQ(ChannelCaptions(tree).size(), 8);
    EXPECT_EQ(tree->currentItem(), tree->ChannelItem(7));

    // Rename: at most 8 characters; a duplicate name is refused with the
    // rules' message and the caption stays.
    tree->setCurrentItem(tree->ChannelItem(1));
    Frame()->RunCommand(cmd::EditRename);
    auto *editor = tree->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 8);
    editor->setText(QStringLiteral("PMR 1"));
    m_sink.clear();
    // Save with a pending duplicate: the rename fails, nothing is saved.
    const QByteArray before = ReadFileBytes(doc->GetPathName());
    Frame()->RunCommand(cmd::FileSave);
    EXPECT_EQ(m_sink.last(), LoadString(298));
    EXPECT_EQ(ReadFileBytes(doc->GetPathName()), before);
    EXPECT_EQ(tree->ChannelItem(1)->text(0), QStringLiteral("PMR 2"));
    EXPECT_FALSE(CTavoCPSTreeView::g_bAcceptEndEdit);
    // The end of editing that follows the message keeps the old caption.
    tree->OnEndLabelEdit(tree->ChannelItem(1), QStringLiteral("PMR 1"), false);
    EXPECT_TRUE(CTavoCPSTreeView::g_bAcceptEndEdit);
    EXPECT_EQ(tree->ChannelItem(1)->text(0), QStringLiteral("PMR 2"));
    // A good name is taken and saved with the profile.
    editor = tree->findChild<QLineEdit *>();
    if (!editor) {
        Frame()->RunCommand(cmd::EditRename);
        editor = tree->findChild<QLineEdit *>();
    }
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("BASE"));
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileSave));
    EXPECT_EQ(tree->ChannelItem(1)->text(0), QStringLiteral("BASE"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(StoredText(doc->GetPathName()).contains(QStringLiteral("name=\"BASE\"")));
}

TEST_F(GuiTest, SaveThenReopenGivesTheSameProfileText)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("s.kp2")));
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    CDataItem channels, channel;
    doc->Root().GetChildByName(QStringLiteral("channels"), channels);
    channels.GetChildByIndex(4, channel);
    ASSERT_EQ(doc->SetAttribute(channel, QStringLiteral("name"), QStringLiteral("FIELD")).code, RuleResult::Done);
    const QString text = doc->Model().GetXmlText();

    // Save As to a new name: the stored form is BOM, UTF-16LE, scrambled.
    const QString copy = m_dir.filePath(QStringLiteral("copy.kp2"));
    CFileDialogs::SetNextAnswer(copy);
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileSaveAs));
    EXPECT_EQ(doc->GetPathName(), copy);
    const QByteArray bytes = ReadFileBytes(copy);
    ASSERT_GE(bytes.size(), 4);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xFE", 2));
    EXPECT_NE(bytes.mid(2, 2), QByteArray("<\0", 2)); // scrambled, not plain

    CTavoCPSDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(copy));
    EXPECT_EQ(reopened.Model().GetXmlText(), text);
    EXPECT_EQ(GetRecentFiles().first(), copy);

    // With the repeater feature disabled, a channel's transmit settings
    // are saved equal to its receive settings.
    QByteArray plain = ReadFileBytes(SourceInstall() + QStringLiteral("/profiletemplate/OUD11602.kp2"));
    ASSERT_TRUE(plain.contains("disable_repeater_feature=\"1\""));
    const QByteArray channel3 = "rx_freq_ndx=\"2\" rx_code=\"0\" tx_freq_ndx=\"2\" tx_code=\"0\" rx_bw=\"0\" tx_bw=\"0\"";
    ASSERT_TRUE(plain.contains(channel3));
    plain.replace(channel3, "rx_freq_ndx=\"2\" rx_code=\"0\" tx_freq_ndx=\"5\" tx_code=\"7\" rx_bw=\"0\" tx_bw=\"1\"");
    const QString split = m_dir.filePath(QStringLiteral("split.kp2"));
    WriteFileBytes(split, plain);
    CTavoCPSDoc repeaterless;
    ASSERT_TRUE(repeaterless.OnOpenDocument(split));
    ASSERT_TRUE(repeaterless.DoSave(split));
    EXPECT_TRUE(StoredText(split).contains(QString::fromLatin1(channel3)));
}

TEST_F(GuiTest, AnImpossibleSaveLeavesTheFilesAsTheyWere)
{
    ASSERT_TRUE(Start());
    const QString path = ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("keep.kp2"));
    CChildFrame *child = Frame()->OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    ASSERT_TRUE(doc->DoSave(path)); // saved once, in the form it was read in
    const QByteArray saved = ReadFileBytes(path);

    CDataItem channels, channel;
    doc->Root().GetChildByName(QStringLiteral("channels"), channels);
    channels.GetChildByIndex(0, channel);
    ASSERT_EQ(doc->SetAttribute(channel, QStringLiteral("name"), QStringLiteral("LOST")).code, RuleResult::Done);

    // A Save As into a folder that does not exist leaves no file behind.
    const QString nowhere = m_dir.filePath(QStringLiteral("missing/other.kp2"));
    CFileDialogs::SetNextAnswer(nowhere);
    Frame()->RunCommand(cmd::FileSaveAs);
    EXPECT_FALSE(QFile::exists(nowhere));

    // Closing the modified profile asks; Cancel keeps it open, No closes it.
    m_sink.clear();
    m_sink.Answer(IDCANCEL);
    Frame()->RunCommand(cmd::FileClose);
    QApplication::processEvents();
    EXPECT_EQ(m_sink.last(), LoadString(61699).arg(QStringLiteral("keep.kp2")));
    EXPECT_EQ(Frame()->Children().size(), 1);
    m_sink.Answer(IDNO);
    Frame()->RunCommand(cmd::FileClose);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(Frame()->Children().isEmpty());
    EXPECT_EQ(ReadFileBytes(path), saved);
}

TEST_F(GuiTest, AProfileFromARadioImageStartsModifiedAndConvertsBack)
{
    ASSERT_TRUE(Start());
    VirtualCP image;
    const QByteArray bytes = ReadFileBytes(SourceInstall() + QStringLiteral("/samples/demo-OUD11602.img"));
    ASSERT_EQ(bytes.size(), int(VirtualCP::kSize));
    std::memcpy(image.bytes.data(), bytes.constData(), VirtualCP::kSize);
    auto *doc = new CTavoCPSDoc(GuiDocumentHost());
    ASSERT_TRUE(doc->OnNewDocumentFromRadio(image));
    EXPECT_TRUE(doc->IsModified()); // a profile from a radio has no file yet
    EXPECT_TRUE(doc->GetPathName().isEmpty());
    VirtualCP back;
    ASSERT_TRUE(doc->GetVirtualCPData(back));
    EXPECT_EQ(back.Get(VirtualCP::kCodeplugVersionOffset, 1), image.Get(VirtualCP::kCodeplugVersionOffset, 1));
    EXPECT_EQ(back.Get(VirtualCP::kStartFreqOffset, 4), image.Get(VirtualCP::kStartFreqOffset, 4));
    delete doc;
}

// A full disk: Save, Save As and the CHIRP export say which file and why,
// leave every old file (a hard-linked profile too) byte for byte and the
// profile modified, and leave no temporary file; with room again the save
// goes through and the profile's other name sees it.
TEST_F(GuiTest, AFullDiskLeavesEveryFileAndTheModifiedProfile)
{
    test::SmallDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << disk.Why();
    ASSERT_TRUE(Start());
    const QString path = disk.FilePath(QStringLiteral("p.kp2"));
    const QString link = disk.FilePath(QStringLiteral("p-link.kp2"));
    const QString csv = disk.FilePath(QStringLiteral("plan.csv"));
    ASSERT_TRUE(QFile::copy(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("src.kp2")), path));
    ASSERT_TRUE(WriteFileBytes(csv, "old plan\n"));
    CChildFrame *child = Frame()->OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    const QByteArray saved = ReadFileBytes(path);

    CDataItem channels, channel;
    doc->Root().GetChildByName(QStringLiteral("channels"), channels);
    channels.GetChildByIndex(0, channel);
    ASSERT_EQ(doc->SetAttribute(channel, QStringLiteral("name"), QStringLiteral("LONGER")).code, RuleResult::Done);
    ASSERT_TRUE(doc->IsModified());
    disk.Fill();

    m_sink.clear();
    Frame()->RunCommand(cmd::FileSave);
    EXPECT_EQ(m_sink.last(), LoadString(10080).arg(QStringLiteral("Cannot write %1: No space left on device").arg(path)));
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_TRUE(doc->IsModified());

    const QString other = disk.FilePath(QStringLiteral("other.kp2"));
    CFileDialogs::SetNextAnswer(other);
    m_sink.clear();
    Frame()->RunCommand(cmd::FileSaveAs);
    EXPECT_EQ(m_sink.last(), LoadString(10080).arg(QStringLiteral("Cannot write %1: No space left on device").arg(other)));
    EXPECT_EQ(doc->GetPathName(), QFileInfo(path).absoluteFilePath());

    CFileDialogs::SetNextAnswer(csv);
    m_sink.clear();
    Frame()->RunCommand(cmd::FileExportCsv);
    EXPECT_EQ(m_sink.last(), LoadString(9725).arg(csv, QStringLiteral("No space left on device")));
    EXPECT_EQ(ReadFileBytes(csv), QByteArray("old plan\n"));
    EXPECT_EQ(disk.Names(), (QStringList{QStringLiteral("p.kp2"), QStringLiteral("plan.csv")}));

    // A hard-linked profile is rewritten in place: a save that needs no
    // more room than the file already holds may go through even on a full
    // disk (the writer's own test covers one that needs more), so the link
    // is made with room again, and must see the saved profile.
    disk.Free();
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    m_sink.clear();
    Frame()->RunCommand(cmd::FileSave);
    EXPECT_TRUE(m_sink.empty()) << m_sink.last().toStdString();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_NE(ReadFileBytes(path), saved);
    EXPECT_EQ(ReadFileBytes(link), ReadFileBytes(path)) << "the hard link is kept";
}

// A save that fails says so and why, whichever disk: Save As into a folder
// that does not exist, Save into one that is gone. The profile stays
// modified under its old path.
TEST_F(GuiTest, AFailedSaveSaysThatItFailedAndWhy)
{
    ASSERT_TRUE(Start());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("p.kp2"));
    ASSERT_TRUE(QFile::copy(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("src2.kp2")), path));
    CChildFrame *child = Frame()->OpenDocumentFile(path);
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    doc->SetModifiedFlag(true);

    const QString nowhere = folder.filePath(QStringLiteral("missing/other.kp2"));
    CFileDialogs::SetNextAnswer(nowhere);
    m_sink.clear();
    Frame()->RunCommand(cmd::FileSaveAs);
    EXPECT_EQ(m_sink.last(), LoadString(10080).arg(QStringLiteral("Cannot write %1: No such file or directory").arg(nowhere)));
    EXPECT_EQ(doc->GetPathName(), QFileInfo(path).absoluteFilePath());
    EXPECT_TRUE(doc->IsModified());

    ASSERT_TRUE(folder.remove());
    m_sink.clear();
    Frame()->RunCommand(cmd::FileSave);
    EXPECT_EQ(m_sink.last(), LoadString(10080).arg(QStringLiteral("Cannot write %1: No such file or directory").arg(QFileInfo(path).absoluteFilePath())));
    EXPECT_TRUE(doc->IsModified());
    doc->SetModifiedFlag(false);
}
