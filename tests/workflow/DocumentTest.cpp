// The profile document below both front ends: its Undo history (merged
// keystrokes, the saved state, a rule that changes many nodes) and its one
// output step, which every save, image and export runs on a copy.

#include "profile/model_fixture.h"
#include "support/RecordingSink.h"
#include "support/TestFiles.h"

#include "base/CTavoCPSException.h"
#include "codeplug/VirtualCP.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/CTavoCPSDoc.h"
#include "workflow/CodeplugComparison.h"

#include <QTemporaryDir>

using namespace tavo;
using namespace tavo::test;

namespace {

class DocumentTest : public ModelTest {
protected:
    // Opens `text` as the profile file `name` of the test.
    void Open(CTavoCPSDoc &doc, const QString &text, const QString &name = QStringLiteral("p.kp2"))
    {
        m_path = m_dir.filePath(name);
        ASSERT_TRUE(WriteAll(m_path, EncodeScrambledUtf16(text)));
        ASSERT_TRUE(doc.OnOpenDocument(m_path));
    }
    static CDataItem Child(const CTavoCPSDoc &doc, const char *name, int index = -1)
    {
        CDataItem item, sub;
        doc.Root().GetChildByName(QLatin1String(name), item);
        if (index < 0)
            return item;
        item.GetChildByIndex(index, sub);
        return sub;
    }
    QTemporaryDir m_dir;
    QString m_path;
};

} // namespace

TEST(UndoStack, MergesOneFieldsStepsKeepsTheSavedStateAndDropsTheUndoneTail)
{
    CUndoStack stack;
    const int nodes[2] = {};
    const MergeKey k1{&nodes[0], QStringLiteral("name")}, k2{&nodes[1], QStringLiteral("name")};
    EXPECT_FALSE(stack.CanUndo());
    EXPECT_EQ(stack.UndoCaption(), 0);
    stack.Push({msg::StepChangeSetting, QByteArray("a"), {}, {}, k1});
    // What Merges answers is what the next Push does.
    EXPECT_TRUE(stack.Merges(k1));
    EXPECT_FALSE(stack.Merges(k2));
    EXPECT_FALSE(stack.Merges(MergeKey()));
    stack.Push({msg::StepChangeSetting, QByteArray("b"), {}, {}, k1}); // a keystroke more
    EXPECT_EQ(stack.Count(), 1);
    EXPECT_EQ(stack.NextUndo()->before, QByteArray("a"));
    stack.Push({msg::StepRenameChannel, QByteArray("c"), {}, {}, k2});
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.UndoCaption(), msg::StepRenameChannel);

    // The saved state stops merging: the step after it is a step of its own.
    stack.SetClean();
    EXPECT_TRUE(stack.IsClean());
    EXPECT_FALSE(stack.Merges(k2));
    stack.Push({msg::StepRenameChannel, QByteArray("d"), {}, {}, k2});
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_FALSE(stack.IsClean());
    stack.MoveBack();
    EXPECT_TRUE(stack.IsClean());
    EXPECT_EQ(stack.RedoCaption(), msg::StepRenameChannel);

    // After an Undo nothing merges into the undone step; a new change drops
    // the undone tail, and with it the saved state when that lay in it.
    stack.MoveBack();
    EXPECT_FALSE(stack.Merges(k2));
    stack.Push({msg::StepAddChannel, QByteArray("e"), {}, {}, k2});
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_FALSE(stack.CanRedo());
    EXPECT_FALSE(stack.IsClean());
    stack.MoveBack();
    EXPECT_FALSE(stack.IsClean()); // the saved state is gone for good
    stack.Clear();
    EXPECT_TRUE(stack.IsClean());
    stack.LoseCleanState();
    EXPECT_FALSE(stack.IsClean());
}

TEST_F(DocumentTest, UndoOfARuleThatChangesSeveralNodesFollowsTheSavedState)
{
    // Deleting a channel: the rule removes it, renumbers what refers to
    // the channels after it and lowers the channel count.
    CTavoCPSDoc doc;
    Open(doc, TemplateText(QStringLiteral("OUR40822")));
    const QString before = doc.Model().GetXmlText();
    const int count = Child(doc, "setting").GetInt(QStringLiteral("numberChannels"));
    const QString third = Child(doc, "channels", 2).GetText(QStringLiteral("name"));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(doc.UndoText(), LoadString(msg::UndoMenu));

    CDataItem channels = Child(doc, "channels");
    m_sink.Answer(IDYES);
    const RuleResult removed = doc.RemoveChild(channels, 1);
    ASSERT_EQ(removed.code, RuleResult::Done) << removed.msgId << " " << LoadString(removed.msgId).toStdString();
    const QString after = doc.Model().GetXmlText();
    EXPECT_EQ(Child(doc, "setting").GetInt(QStringLiteral("numberChannels")), count - 1);
    EXPECT_EQ(Child(doc, "channels", 1).GetText(QStringLiteral("name")), third);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.UndoText(), LoadString(msg::UndoMenuStep).arg(LoadString(msg::StepDeleteChannel)));

    // A refused change adds no step.
    CDataItem setting = Child(doc, "setting");
    EXPECT_EQ(doc.SetAttribute(setting, QStringLiteral("vox_level"), 99).code, RuleResult::Refused);
    EXPECT_EQ(doc.UndoStack().Count(), 1);

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Model().GetXmlText(), before);
    EXPECT_EQ(Child(doc, "setting").GetInt(QStringLiteral("numberChannels")), count);
    EXPECT_FALSE(doc.IsModified()); // back at the state of the file
    EXPECT_EQ(doc.RedoText(), LoadString(msg::RedoMenuStep).arg(LoadString(msg::StepDeleteChannel)));
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.Model().GetXmlText(), after);
    EXPECT_TRUE(doc.IsModified());

    // Saved: that state is the clean one; undoing away from it is a change.
    ASSERT_TRUE(doc.DoSave(m_path));
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Redo());
    EXPECT_FALSE(doc.IsModified());

    // Opening again starts a fresh history.
    ASSERT_TRUE(doc.OnOpenDocument(m_path));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
}

// The menus hear of the history when what Undo and Redo show changes, not
// on every edit: keystrokes into one field are one step and tell them once,
// and a further step under the same caption tells them nothing new.
TEST_F(DocumentTest, TheMenusHearOfTheHistoryWhenItsCaptionsChange)
{
    CTavoCPSDoc doc;
    Open(doc, TemplateText(QStringLiteral("OUR40822")));
    const QString opened = doc.Model().GetXmlText();
    int told = 0;
    QObject::connect(&doc, &CTavoCPSDoc::undoStateChanged, [&told] { ++told; });
    CDataItem first = Child(doc, "channels", 0), second = Child(doc, "channels", 1);

    const StepKind typed{0, true};
    ASSERT_EQ(doc.SetAttribute(first, QStringLiteral("name"), QStringLiteral("A"), nullptr, typed).code, RuleResult::Done);
    ASSERT_EQ(doc.SetAttribute(first, QStringLiteral("name"), QStringLiteral("AB"), nullptr, typed).code, RuleResult::Done);
    EXPECT_EQ(doc.UndoStack().Count(), 1);
    EXPECT_EQ(told, 1);
    ASSERT_EQ(doc.SetAttribute(second, QStringLiteral("rx_code"), 3).code, RuleResult::Done);
    EXPECT_EQ(told, 2); // "Undo Change Channel" now
    ASSERT_EQ(doc.SetAttribute(first, QStringLiteral("rx_code"), 4).code, RuleResult::Done);
    EXPECT_EQ(doc.UndoStack().Count(), 3); // another node: a step of its own
    EXPECT_EQ(told, 2);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(told, 3);
    EXPECT_EQ(Child(doc, "channels", 0).GetText(QStringLiteral("name")), QStringLiteral("AB"));
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo()); // both keystrokes at once
    EXPECT_EQ(doc.Model().GetXmlText(), opened);
    EXPECT_FALSE(doc.CanUndo());

    // Two choices of one attribute (not typed) are two steps; choosing
    // what is stored is none and leaves the profile unmodified.
    second = Child(doc, "channels", 1); // the node of the reloaded profile
    ASSERT_EQ(doc.SetAttribute(second, QStringLiteral("rx_code"), 3).code, RuleResult::Done);
    ASSERT_EQ(doc.SetAttribute(second, QStringLiteral("rx_code"), 4).code, RuleResult::Done);
    EXPECT_EQ(doc.UndoStack().Count(), 2);
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    second = Child(doc, "channels", 1);
    ASSERT_EQ(doc.SetAttribute(second, QStringLiteral("rx_code"), second.GetInt(QStringLiteral("rx_code"))).code, RuleResult::Done);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, ASaveAnImageAndAnExportOfARadioWithoutRepeaterTransmitAlike)
{
    // Channel 2 of a PMR446 radio (no repeater) set up to transmit apart
    // from where it receives, as an older file might hold it.
    const QString text = TemplateText(
        QStringLiteral("OUD11602"),
        {{QStringLiteral("rx_freq_ndx=\"1\" rx_code=\"0\" tx_freq_ndx=\"1\" tx_code=\"0\" rx_bw=\"0\" tx_bw=\"0\""),
          QStringLiteral("rx_freq_ndx=\"1\" rx_code=\"5\" tx_freq_ndx=\"3\" tx_code=\"9\" rx_bw=\"0\" tx_bw=\"1\"")}});
    CTavoCPSDoc doc;
    Open(doc, text);
    const QString open = doc.Model().GetXmlText();

    // The image.
    VirtualCP image;
    ASSERT_TRUE(doc.GetVirtualCPData(image));
    EXPECT_EQ(image.Channel(1).TxFreqNdx(), 1u);
    EXPECT_EQ(image.Channel(1).TxCode(), 5u);
    EXPECT_EQ(image.Channel(1).TxBw(), 0u);

    // The export: channel 2 transmits where it receives (no duplex).
    QByteArray csv;
    QString error;
    ASSERT_TRUE(doc.ExportChirpCsv(csv, error)) << error.toStdString();
    const QList<QByteArray> rows = csv.split('\n');
    ASSERT_GT(rows.size(), 2);
    EXPECT_TRUE(rows.at(2).startsWith("2,")) << rows.at(2).constData();
    EXPECT_EQ(rows.at(2).split(',').value(3), QByteArray()) << rows.at(2).constData();
    // Read from the open profile, row for row what the written profile holds.
    QString written;
    ASSERT_TRUE(doc.PrepareForOutput(written, error)) << error.toStdString();
    CRadioDataModel output;
    ASSERT_TRUE(output.LoadProfile(written, 0));
    EXPECT_EQ(csv, ExportChirpCsv(output));

    // The file.
    ASSERT_TRUE(doc.DoSave(m_path));
    CTavoCPSDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(m_path));
    const CDataItem saved = Child(reopened, "channels", 1);
    EXPECT_EQ(saved.GetText(QStringLiteral("tx_freq_ndx")), QStringLiteral("1"));
    EXPECT_EQ(saved.GetText(QStringLiteral("tx_code")), QStringLiteral("5"));
    EXPECT_EQ(saved.GetText(QStringLiteral("tx_bw")), QStringLiteral("0"));

    // None of them changed the open profile behind its windows' backs.
    EXPECT_EQ(doc.Model().GetXmlText(), open);
    EXPECT_EQ(Child(doc, "channels", 1).GetText(QStringLiteral("tx_freq_ndx")), QStringLiteral("3"));
    EXPECT_FALSE(doc.CanUndo());
}

// A failure is shown with its own message when its id names one; a command
// with a message of its own shows that one for an id of no message (0 or
// unknown), the pages show the trace text instead.
TEST(FailureMessage, OwnMessageElseTheCommandsFallbackElseTheTrace)
{
    RecordingSink sink;
    CTavoCPSException known(msg::InvalidProfile), none, unknown(987654);
    none.m_strMessage = unknown.m_strMessage = QStringLiteral("(Load:12) trace");

    EXPECT_EQ(FailureMessageId(known, msg::UnknownError), msg::InvalidProfile);
    EXPECT_EQ(FailureMessageId(none, msg::UnknownError), msg::UnknownError);
    EXPECT_EQ(FailureMessageId(unknown, msg::UnknownError), msg::UnknownError);

    CTavoCPSDoc::ShowFailure(unknown, msg::CommunicationError);
    EXPECT_EQ(sink.last(), LoadString(msg::CommunicationError));
    CTavoCPSDoc::ShowFailure(known, msg::CommunicationError);
    EXPECT_EQ(sink.last(), LoadString(msg::InvalidProfile));
    CTavoCPSDoc::ShowFailure(unknown);
    EXPECT_EQ(sink.last(), unknown.m_strMessage);
    ASSERT_EQ(sink.shown().size(), 3u);
    EXPECT_TRUE(sink.shown()[0].style & MB_ICONERROR);

    // The comparison's image step names the same message.
    VirtualCP image;
    QString error;
    EXPECT_FALSE(ProfileTextToImage(QStringLiteral("<TavoProfile/>"), image, error));
    EXPECT_FALSE(error.isEmpty());
}
