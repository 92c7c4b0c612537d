// What is typed on a page and not yet committed is taken (or refused with
// its message, and the step does not go on) before every step that reads
// or leaves the profile: a click in the tree, Save, Undo, a switch of
// window, Close and Quit. Pressed as a user presses them: real keys into
// real widgets.

#include "PagesFixture.h"

#include "views/CChannelView.h"
#include "views/CFrequencyView.h"
#include "views/LayoutTables.h"
#include "resources/MessageIds.h"

#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>

using namespace tavo;
using namespace tavo::test;

namespace {

class KeptEditsTest : public FormPageTest {
protected:
    // Channel `index`'s page with `text` typed over its name, not committed.
    QLineEdit *TypeName(CChildFrame *child, int index, const QString &text)
    {
        auto *page = Show<CChannelView>(child, PageChannel, index);
        auto *name = page ? qobject_cast<QLineEdit *>(page->Control(1085)) : nullptr;
        if (!name)
            return nullptr;
        name->setFocus(Qt::OtherFocusReason);
        name->selectAll();
        QTest::keyClicks(name, text);
        return name;
    }
    // A click on a tree item, where the user clicks.
    static void ClickItem(CTavoCPSTreeView *tree, QTreeWidgetItem *item)
    {
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        QApplication::processEvents();
    }
    // Opens row `row` of the frequency page for editing and types `text`.
    static QLineEdit *TypeIntoRow(CFrequencyView *page, int row, const QString &text)
    {
        auto *table = qobject_cast<QTableWidget *>(page->Control(1067));
        table->selectRow(row);
        QTest::mouseClick(qobject_cast<QPushButton *>(page->Control(1065)), Qt::LeftButton);
        auto *entry = qobject_cast<QLineEdit *>(page->Control(1073));
        entry->setFocus(Qt::OtherFocusReason);
        entry->selectAll();
        QTest::keyClick(entry, Qt::Key_Backspace);
        QTest::keyClicks(entry, text);
        return entry;
    }
    // What the message sink has shown, for a failure's report.
    std::string Shown() const
    {
        QStringList texts;
        for (const auto &m : m_sink.shown())
            texts << m.text;
        return texts.join(QStringLiteral(" | ")).toStdString();
    }
    static QString ChannelName(CChildFrame *child, int index)
    {
        return Item(child, QStringLiteral("channels"), index).GetText(QStringLiteral("name"));
    }
};

} // namespace

TEST_F(KeptEditsTest, TheFrequencyPagesOpenRowIsTakenOrRefusedBeforeTheTreeSaveAndUndo)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenShown(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();

    // Typed into row 3, then a click on Channels in the tree: the frequency
    // is stored and the Channels page is shown.
    auto *page = Show<CFrequencyView>(child, PageFrequency);
    ASSERT_NE(page, nullptr);
    TypeIntoRow(page, 2, QStringLiteral("461.5"));
    ClickItem(child->Tree(), child->Tree()->ChannelsItem());
    EXPECT_EQ(child->PageIndex(), int(PageChannels));
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 2, "freq"), 461500000);
    EXPECT_TRUE(doc->IsModified());

    // A frequency outside the radio's range: the rules' message, the page
    // stays in its edit mode and the click does not move.
    page = Show<CFrequencyView>(child, PageFrequency);
    const int before = Stored(child, QStringLiteral("frequencies"), 3, "freq");
    QLineEdit *entry = TypeIntoRow(page, 3, QStringLiteral("100"));
    m_sink.clear();
    ClickItem(child->Tree(), child->Tree()->topLevelItem(0));
    EXPECT_EQ(m_sink.shown().size(), 1u) << Shown();
    EXPECT_EQ(child->PageIndex(), int(PageFrequency));
    EXPECT_EQ(child->Page(), page);
    EXPECT_TRUE(entry->isEnabled());
    EXPECT_EQ(entry->text(), QStringLiteral("100"));
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 3, "freq"), before);

    // Ctrl+S with the row still open and refused: nothing saved.
    const QByteArray onDisk = ReadFileBytes(doc->GetPathName());
    m_sink.clear();
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == entry; }, 2000)) << "the refused entry has the focus";
    QTest::keyClick(entry, Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(m_sink.shown().size(), 1u) << Shown();
    EXPECT_EQ(ReadFileBytes(doc->GetPathName()), onDisk);

    // Corrected and saved with Ctrl+S: the file holds the typed value.
    entry->selectAll();
    QTest::keyClicks(entry, QStringLiteral("462.25"));
    QTest::keyClick(entry, Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 3, "freq"), 462250000);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_NE(ReadFileBytes(doc->GetPathName()), onDisk);
    EXPECT_FALSE(entry->isEnabled()); // the row is no longer being edited

    // Typed and then Ctrl+Z: the typed row is taken and undone as a step
    // of its own, the earlier one stays.
    TypeIntoRow(page, 4, QStringLiteral("463.125"));
    const int row4 = Stored(child, QStringLiteral("frequencies"), 4, "freq");
    Frame()->RunCommand(cmd::EditUndo);
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 4, "freq"), row4);
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 3, "freq"), 462250000);

    // An add with nothing typed is dropped quietly by a tree click.
    page = Show<CFrequencyView>(child, PageFrequency);
    const int rows = Item(child, QStringLiteral("frequencies")).GetChildCount();
    QTest::mouseClick(qobject_cast<QPushButton *>(page->Control(1041)), Qt::LeftButton);
    m_sink.clear();
    ClickItem(child->Tree(), child->Tree()->topLevelItem(0));
    EXPECT_TRUE(m_sink.empty()) << Shown();
    EXPECT_EQ(child->PageIndex(), int(PageRadioInfo));
    EXPECT_EQ(Item(child, QStringLiteral("frequencies")).GetChildCount(), rows);
}

TEST_F(KeptEditsTest, ATypedNameIsAskedAboutByQuitAndCloseAndTakenByAWindowSwitch)
{
    ASSERT_TRUE(Start());
    CChildFrame *first = OpenShown(QStringLiteral("OUD11602"));
    ASSERT_NE(first, nullptr);
    CTavoCPSDoc *doc = first->Document();
    const QString path = doc->GetPathName();

    // YARD typed into channel 6's name, then Ctrl+Q: the save question
    // comes (Cancel keeps the program), the name is in the profile.
    QLineEdit *name = TypeName(first, 5, QStringLiteral("YARD"));
    ASSERT_NE(name, nullptr);
    m_sink.clear();
    m_sink.Answer(IDCANCEL);
    QTest::keyClick(name, Qt::Key_Q, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_TRUE(m_sink.last().contains(doc->GetTitle())) << m_sink.last().toStdString();
    ASSERT_TRUE(Frame()->isVisible());
    EXPECT_EQ(ChannelName(first, 5), QStringLiteral("YARD"));
    EXPECT_TRUE(doc->IsModified());

    // A second window; a name typed in the first and a switch through the
    // Window menu takes it. A refused name (a duplicate) keeps the first
    // window active, maximised as before.
    CChildFrame *second = OpenEdited(QStringLiteral("OUD11602"));
    ASSERT_NE(second, nullptr);
    auto *firstSub = qobject_cast<QMdiSubWindow *>(first->parentWidget());
    auto *secondSub = qobject_cast<QMdiSubWindow *>(second->parentWidget());
    Frame()->MdiArea()->setActiveSubWindow(firstSub);
    QApplication::processEvents();
    name = TypeName(first, 5, ChannelName(first, 0));
    m_sink.clear();
    QMenu *window = TopMenu(348);
    ASSERT_NE(window, nullptr);
    emit window->aboutToShow();
    QAction *toSecond = nullptr;
    for (QAction *a : window->actions())
        if (a->property("profileWindow").toBool() && a->text().startsWith(QStringLiteral("&2 ")))
            toSecond = a;
    ASSERT_NE(toSecond, nullptr);
    toSecond->trigger();
    QApplication::processEvents();
    EXPECT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(Frame()->MdiArea()->activeSubWindow(), firstSub);
    EXPECT_TRUE(firstSub->isMaximized());
    EXPECT_EQ(ChannelName(first, 5), QStringLiteral("YARD"));
    // A name that may be taken: the switch goes on, with the name stored.
    name->setFocus(Qt::OtherFocusReason);
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("GATE"));
    emit window->aboutToShow();
    for (QAction *a : window->actions())
        if (a->property("profileWindow").toBool() && a->text().startsWith(QStringLiteral("&2 ")))
            toSecond = a;
    toSecond->trigger();
    QApplication::processEvents();
    EXPECT_EQ(Frame()->MdiArea()->activeSubWindow(), secondSub);
    EXPECT_EQ(ChannelName(first, 5), QStringLiteral("GATE"));

    // The same through Ctrl+Tab (the area's own switch): taken as well.
    name = TypeName(second, 2, QStringLiteral("DOCK"));
    QTest::keyClick(name, Qt::Key_Tab, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(ChannelName(second, 2), QStringLiteral("DOCK"));
    second->Document()->SetModifiedFlag(false);

    // Back in the first, a name typed and Ctrl+F4: the question; Yes saves
    // it into the file and closes the window.
    Frame()->MdiArea()->setActiveSubWindow(firstSub);
    QApplication::processEvents();
    name = TypeName(first, 5, QStringLiteral("SHED"));
    QPointer<CChildFrame> alive(first);
    m_sink.clear();
    m_sink.Answer(IDYES);
    QTest::keyClick(name, Qt::Key_F4, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return alive.isNull(); }, 3000));
    EXPECT_EQ(m_sink.shown().size(), 1u);
    QString xml, error;
    ASSERT_TRUE(ReadProfileText(path, xml, error)) << error.toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral("name=\"SHED\""))) << "the typed name is in the file";
}

TEST_F(KeptEditsTest, AFileSavedElsewhereSinceItWasOpenedIsNotSavedOverUnasked)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenShown(QStringLiteral("OUD11602"));
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    const QString path = doc->GetPathName();

    // Another copy saves the file with channel 2 renamed NEWNAME.
    {
        CTavoCPSDoc other;
        ASSERT_TRUE(other.OnOpenDocument(path));
        CDataItem theirs;
        other.Root().ChildByName(QStringLiteral("channels")).GetChildByIndex(1, theirs);
        ASSERT_EQ(other.SetAttribute(theirs, QStringLiteral("name"), QStringLiteral("NEWNAME")).code, RuleResult::Done);
        ASSERT_TRUE(other.DoSave(path));
    }
    const QByteArray theirs = ReadFileBytes(path);
    // Here the power-up text changes, then Ctrl+S.
    CDataItem setting = Item(child, QStringLiteral("setting"));
    ASSERT_EQ(doc->SetAttribute(setting, QStringLiteral("powerupString"), QStringLiteral("HELLO")).code, RuleResult::Done);
    child->Tree()->setFocus(Qt::OtherFocusReason);
    m_sink.clear();
    m_sink.Answer(IDCANCEL);
    QTest::keyClick(child->Tree(), Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(m_sink.last(), LoadString(msg::FileChangedOnDisk).arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(ReadFileBytes(path), theirs);
    EXPECT_TRUE(doc->IsModified());

    // No: saved as another file; theirs stays.
    const QString other = m_dir.filePath(QStringLiteral("mine.kp2"));
    CFileDialogs::SetNextAnswer(other);
    m_sink.clear();
    m_sink.Answer(IDNO);
    QTest::keyClick(child->Tree(), Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(ReadFileBytes(path), theirs);
    ASSERT_TRUE(QFileInfo::exists(other));
    EXPECT_EQ(doc->GetPathName(), QFileInfo(other).absoluteFilePath());
    EXPECT_FALSE(doc->IsModified());

    // The file saved here is its own again: saved over without a question;
    // and after another program saved it too, the close question's Yes
    // asks once more (Yes: overwritten).
    ASSERT_EQ(doc->SetAttribute(setting, QStringLiteral("powerupString"), QStringLiteral("AGAIN")).code, RuleResult::Done);
    m_sink.clear();
    QTest::keyClick(child->Tree(), Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_TRUE(m_sink.empty());
    EXPECT_FALSE(doc->IsModified());
    ASSERT_EQ(doc->SetAttribute(setting, QStringLiteral("powerupString"), QStringLiteral("LAST")).code, RuleResult::Done);
    WriteFileBytes(other, theirs);
    m_sink.clear();
    m_sink.Answer(IDYES); // save changes?
    m_sink.Answer(IDYES); // changed on disk: overwrite
    ASSERT_TRUE(Frame()->RunCommand(cmd::FileClose));
    ASSERT_TRUE(WaitFor([&] { return Frame()->Children().isEmpty(); }, 3000)) << Shown();
    EXPECT_EQ(m_sink.shown().size(), 2u) << Shown();
    QString xml, error;
    ASSERT_TRUE(ReadProfileText(other, xml, error));
    EXPECT_TRUE(xml.contains(QStringLiteral("\"LAST\"")));
}
