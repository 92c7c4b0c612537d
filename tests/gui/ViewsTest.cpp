// The pages and the help pane: every form against its layout table and the
// visibility document; the radio information page for a display and a
// non-display model; the help pane's toggle, its stored state and topics.

#include "GuiFixture.h"

#include "app/CChildFrame.h"
#include "views/CBaseView.h"
#include "views/CHelpView.h"
#include "views/CRadioInfoView.h"
#include "views/LayoutTables.h"
#include "config/SettingDocuments.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QLineEdit>
#include <QSet>
#include <QXmlStreamReader>

using namespace tavo;
using namespace tavo::test;

namespace {

struct FormControl {
    int id;
    QString widgetClass;
    bool hasBuddyOrName;
};

// The controls of a .ui form with their ctrlId, in document order.
std::vector<FormControl> ReadForm(const QString &path, QStringList &problems)
{
    std::vector<FormControl> controls;
    QByteArray bytes = ReadFileBytes(path);
    QXmlStreamReader xml(bytes);
    QStringList classStack, buddies;
    QHash<QString, int> idByName;
    QHash<QString, QString> classByName;
    QSet<QString> named;
    QString currentName;
    QStringList nameStack;
    QString property;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("widget")) {
            classStack << xml.attributes().value(QLatin1String("class")).toString();
            nameStack << xml.attributes().value(QLatin1String("name")).toString();
            classByName.insert(nameStack.last(), classStack.last());
        } else if (xml.isEndElement() && xml.name() == QLatin1String("widget")) {
            classStack.removeLast();
            nameStack.removeLast();
        } else if (xml.isStartElement() && xml.name() == QLatin1String("property")) {
            property = xml.attributes().value(QLatin1String("name")).toString();
        } else if (xml.isStartElement() && property == QLatin1String("ctrlId") && xml.name() == QLatin1String("number")) {
            idByName.insert(nameStack.last(), xml.readElementText().toInt());
        } else if (xml.isStartElement() && property == QLatin1String("buddy") && xml.name() == QLatin1String("cstring")) {
            buddies << xml.readElementText();
        } else if (xml.isStartElement() && property == QLatin1String("accessibleName")) {
            named.insert(nameStack.last());
        }
    }
    if (xml.hasError())
        problems << QStringLiteral("%1: %2").arg(path, xml.errorString());
    for (auto it = idByName.cbegin(); it != idByName.cend(); ++it) {
        const QString cls = classByName.value(it.key());
        controls.push_back({it.value(), cls, buddies.contains(it.key()) || named.contains(it.key())});
    }
    return controls;
}

} // namespace

TEST_F(GuiTest, EveryFormMatchesItsLayoutTableAndTheVisibilityDocument)
{
    ASSERT_TRUE(AppSettingDocuments().LoadAll());
    const QDir views(QStringLiteral(TAVO_SOURCE_DIR "/views"));
    const QStringList forms = views.entryList({QStringLiteral("*.ui")});
    ASSERT_FALSE(forms.isEmpty());
    const QStringList inputs = {"QLineEdit", "QComboBox", "QSpinBox", "QCheckBox", "QPlainTextEdit", "QListWidget", "QTableWidget"};
    for (const QString &form : forms) {
        SCOPED_TRACE(form.toStdString());
        const PageLayoutInfo *page = FindPageInfoByClass(form.chopped(3));
        ASSERT_NE(page, nullptr) << "a form without a page";
        QStringList problems;
        const std::vector<FormControl> controls = ReadForm(views.filePath(form), problems);
        EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
        QSet<int> ids, tableIds;
        for (const FormControl &c : controls) {
            EXPECT_FALSE(ids.contains(c.id)) << "duplicate id " << c.id;
            ids.insert(c.id);
            if (inputs.contains(c.widgetClass))
                EXPECT_TRUE(c.hasBuddyOrName) << "no caption for " << c.id;
        }
        for (const LayoutRecord *r = page->table; r->nCtrlId != 0; ++r) {
            tableIds.insert(r->nCtrlId);
            EXPECT_TRUE(ids.contains(r->nCtrlId)) << "table id " << r->nCtrlId << " not on the form";
        }
        for (int id : ids)
            EXPECT_TRUE(tableIds.contains(id)) << "form id " << id << " not in the table";
        for (bool display : {true, false})
            for (int id : AppSettingDocuments().GetVisibleControls(QLatin1String(page->visibilityName), display).keys())
                EXPECT_TRUE(ids.contains(id)) << "visibility id " << id << " not on the form";
    }
}

TEST_F(GuiTest, RadioInformationShowsTheRangesOfItsModelAndClosesUpHiddenRows)
{
    ASSERT_TRUE(Start());
    struct Case {
        const char *model;
        bool display;
    };
    for (const Case c : {Case{"OUD11602", true}, Case{"OUR10802", false}}) {
        SCOPED_TRACE(c.model);
        CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QLatin1String(c.model), QLatin1String(c.model) + QStringLiteral(".kp2")));
        ASSERT_NE(child, nullptr);
        child->resize(1000, 700);
        child->show();
        QApplication::processEvents();
        auto *page = qobject_cast<CRadioInfoView *>(child->Page());
        ASSERT_NE(page, nullptr);
        auto text = [&](int id) { return qobject_cast<QLineEdit *>(page->Control(id))->text(); };
        auto shown = [&](int id) { return !page->Control(id)->isHidden(); };
        EXPECT_EQ(text(1066), QStringLiteral("02"));
        EXPECT_EQ(text(1016), c.display ? QStringLiteral("16") : QStringLiteral("8"));
        EXPECT_EQ(text(1012), QStringLiteral("R02.01"));
        // The common range for a non-display model, receive and transmit
        // ranges for a display model.
        EXPECT_EQ(shown(1015), !c.display);
        EXPECT_EQ(shown(1005), !c.display);
        EXPECT_EQ(shown(1018), c.display);
        EXPECT_EQ(shown(1017), c.display);
        if (!c.display)
            EXPECT_EQ(text(1015), QStringLiteral("446.000000 - 446.200000"));
        else
            EXPECT_FALSE(text(1018).isEmpty());
        // Hidden rows close up: the rows keep one pitch.
        const int pitch = page->Control(1011)->y() - page->Control(1066)->y();
        EXPECT_GT(pitch, 0);
        const int below = c.display ? 1017 : 1015;
        EXPECT_EQ(page->Control(1016)->y() - page->Control(below)->y(), pitch);
        EXPECT_EQ(page->Control(below)->y() - page->Control(c.display ? 1018 : 1014)->y(), pitch);
        // The content sits centred under the title bar.
        QWidget *title = page->Control(1013);
        const int titleCentre = title->mapTo(page->Form(), title->rect().center()).x();
        const int left = page->Control(1001)->mapTo(page->Form(), QPoint(0, 0)).x();
        QWidget *value = page->Control(1066);
        const int right = value->mapTo(page->Form(), QPoint(value->width(), 0)).x();
        EXPECT_NEAR((left + right) / 2, titleCentre, 30);
    }
    EXPECT_EQ(CRadioInfoView::FormatRange(446000000, 446200000, QStringLiteral(",")),
              QStringLiteral("446,000000 - 446,200000"));
}

TEST_F(GuiTest, HelpPaneFollowsTheFocusTogglesAndRemembersItsState)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("h.kp2")));
    ASSERT_NE(child, nullptr);
    Frame()->activateWindow();
    EXPECT_TRUE(child->IsHelpPaneShown()); // the machine default
    CHelpView *help = child->HelpView();
    auto *page = child->Page();
    page->Control(1011)->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(page->ShowHelpTopic(1011));
    EXPECT_TRUE(help->CurrentAddress().endsWith(QStringLiteral("radio_information.htm#serial_number")))
        << help->CurrentAddress().toStdString();
    EXPECT_TRUE(help->PlainText().contains(QStringLiteral("Serial Number")));
    // A control without a help page shows a blank page.
    EXPECT_TRUE(page->ShowHelpTopic(1001));
    EXPECT_EQ(help->CurrentAddress(), QStringLiteral("about:blank"));

    // Help Pane hides it and stores the state; the topics then do nothing.
    ASSERT_TRUE(Frame()->RunCommand(cmd::ViewHelpPane));
    EXPECT_FALSE(child->IsHelpPaneShown());
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(GetShowContextHelp(), 0);
    EXPECT_FALSE(page->ShowHelpTopic(1011));
    Frame()->UpdateCommandUI();
    EXPECT_FALSE(Frame()->Command(cmd::ViewHelpPane)->isChecked());
    // Switching pages keeps the state; a new window starts with it.
    child->SwitchPage(1);
    EXPECT_FALSE(child->HelpView()->isVisible());
    CChildFrame *second = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("h2.kp2")));
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->IsHelpPaneShown());
    ASSERT_TRUE(Frame()->RunCommand(cmd::ViewHelpPane));
    EXPECT_TRUE(second->IsHelpPaneShown());
    EXPECT_EQ(GetShowContextHelp(), 1);
    EXPECT_EQ(second->HelpPaneHeight(), 150);
}

TEST_F(GuiTest, TheHelpPaneKeepsEachHelpFileLaidOutAndFollowsItsLinks)
{
    ASSERT_TRUE(Start());
    Frame()->resize(1100, 800);
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUD11602"), QStringLiteral("k.kp2")));
    ASSERT_NE(child, nullptr);
    QApplication::processEvents();
    CHelpView *help = child->HelpView();
    auto shownPage = [help] { return qobject_cast<QTextBrowser *>(help->currentWidget()); };
    // The first page was laid out once the new window had its size: at the
    // width it is shown with.
    QTextBrowser *info = shownPage();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(help->CurrentAddress().endsWith(QStringLiteral("radio_information.htm"))) << help->CurrentAddress().toStdString();
    EXPECT_EQ(qRound(info->document()->textWidth()), info->viewport()->width());

    child->SwitchPage(PageSettings);
    QTextBrowser *settings = shownPage();
    ASSERT_NE(settings, nullptr);
    EXPECT_NE(settings, info);
    EXPECT_TRUE(help->PlainText().contains(QStringLiteral("Codeplug Password")));
    EXPECT_EQ(help->KeptFiles(), 2);
    // Back and forth: the kept pages come back as they were, at the top.
    settings->verticalScrollBar()->setValue(settings->verticalScrollBar()->maximum());
    child->SwitchPage(PageRadioInfo);
    EXPECT_EQ(shownPage(), info);
    child->SwitchPage(PageSettings);
    EXPECT_EQ(shownPage(), settings);
    EXPECT_EQ(settings->verticalScrollBar()->value(), 0);
    EXPECT_EQ(help->KeptFiles(), 2);
    // A topic further down the same file scrolls the kept page to it.
    help->ShowPage(QStringLiteral("general_settings.htm#alternate_battery"));
    EXPECT_EQ(shownPage(), settings);
    EXPECT_GT(settings->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(help->CurrentAddress().endsWith(QStringLiteral("general_settings.htm#alternate_battery")));

    // A click on the page's "Contents" link shows the contents in the pane.
    QTextCursor link = settings->document()->find(QStringLiteral("Contents"));
    ASSERT_FALSE(link.isNull());
    link.setPosition(link.selectionStart() + 2);
    settings->setTextCursor(link);
    settings->ensureCursorVisible();
    const QPoint at = settings->cursorRect(link).center();
    QTest::mouseClick(settings->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_TRUE(help->CurrentAddress().endsWith(QStringLiteral("/index.htm"))) << help->CurrentAddress().toStdString();
    EXPECT_EQ(help->KeptFiles(), 3);
    EXPECT_TRUE(help->PlainText().contains(QStringLiteral("General Settings")));

    // A page the help file lacks shows blank; the kept pages stay.
    help->ShowPage(QStringLiteral("no_such_page.htm"));
    EXPECT_EQ(help->CurrentAddress(), QStringLiteral("about:blank"));
    EXPECT_TRUE(help->PlainText().isEmpty());
    EXPECT_EQ(help->KeptFiles(), 3);
    child->Document()->SetModifiedFlag(false);
}

namespace {
// A page that edits one channel's name through the common editing cycle.
class CNamePage : public CBaseView {
public:
    CNamePage() : CBaseView(PageChannel) {}
    bool Rename(int channel, const QString &name)
    {
        CDataItem channels, item;
        m_rootItem.GetChildByName(QStringLiteral("channels"), channels);
        channels.GetChildByIndex(channel, item);
        return ChangeAttribute(item, QStringLiteral("name"), name);
    }
};
} // namespace

TEST_F(GuiTest, ThePagesEditingCycleShowsARefusalAndTellsEveryWindowOfAChange)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = Frame()->OpenDocumentFile(ProfileCopy(QStringLiteral("OUR10802"), QStringLiteral("e.kp2")));
    ASSERT_NE(child, nullptr);
    CTavoCPSDoc *doc = child->Document();
    CNamePage page;
    page.OnInitialUpdate(doc, 0);
    QStringList changes;
    QObject::connect(doc, &CTavoCPSDoc::attributeChanged, &page,
                     [&](QObject *origin, const QString &element, const QString &attribute) {
                         changes << QStringLiteral("%1 %2 %3").arg(origin == &page).arg(element, attribute);
                     });
    m_sink.clear();
    EXPECT_FALSE(page.Rename(1, QStringLiteral("PMR 1"))); // a duplicate: refused
    EXPECT_EQ(m_sink.last(), LoadString(298));
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(page.Rename(1, QStringLiteral("DEPOT")));
    EXPECT_EQ(changes, QStringList{QStringLiteral("1 channel name")});
    EXPECT_EQ(child->Tree()->ChannelItem(1)->text(0), QStringLiteral("DEPOT")); // the tree keeps in step
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(child->windowTitle().startsWith(QStringLiteral("e.kp2")));
    EXPECT_TRUE(child->isWindowModified());
}
