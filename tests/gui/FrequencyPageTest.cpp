// The frequency table page: the entry filter with either separator, adding
// and editing through the rules (with the confirmation round trip), the
// two-pass delete, the full table, Cancel, and the remembered selection.

#include "PagesFixture.h"

#include "views/CFrequencyView.h"
#include "views/DecimalFilter.h"

#include <QPushButton>
#include <QTableWidget>

using namespace tavo;
using namespace tavo::test;

TEST_F(FormPageTest, FrequencyEntryFilterAndAddWithACommaSeparator)
{
    EXPECT_EQ(FilterDecimalText(QStringLiteral("4a4.6.2,5"), true, QStringLiteral(".")), QStringLiteral("44.625"));
    EXPECT_EQ(FilterDecimalText(QStringLiteral("12.5x"), false, QStringLiteral(".")), QStringLiteral("125"));
    EXPECT_EQ(FrequencyTextToHz(QStringLiteral("446,00625"), QStringLiteral(",")), 446006250u);

    ASSERT_TRUE(Start());
    SetApplicationLanguage(QStringLiteral("German"));
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"));
    ASSERT_NE(child, nullptr);
    auto *page = Show<CFrequencyView>(child, PageFrequency);
    ASSERT_NE(page, nullptr);
    auto *table = qobject_cast<QTableWidget *>(page->Control(1067));
    auto *entry = qobject_cast<QLineEdit *>(page->Control(1073));
    auto *add = qobject_cast<QPushButton *>(page->Control(1041));
    ASSERT_EQ(table->rowCount(), 16);
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("461,012500"));
    EXPECT_EQ(table->item(0, 2)->text(), QStringLiteral("User selectable with 12,5 KHz as default"));
    EXPECT_EQ(table->item(0, 3)->text(), LoadString(295)); // power mode 2: high by default
    EXPECT_FALSE(entry->isEnabled());

    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(add->text(), LoadString(291));
    EXPECT_EQ(page->Control(1066)->property("text").toString(), LoadString(292));
    EXPECT_FALSE(table->isEnabled());
    QTest::keyClicks(entry, QStringLiteral("446,00625"));
    EXPECT_EQ(entry->text(), QStringLiteral("446,00625"));
    QTest::keyClicks(entry, QStringLiteral(",")); // a second separator goes
    EXPECT_EQ(entry->text(), QStringLiteral("446,00625"));
    QTest::keyClicks(entry, QStringLiteral("07")); // the seventh decimal is cut
    EXPECT_EQ(entry->text(), QStringLiteral("446,006250"));
    QTest::keyClick(entry, Qt::Key_Backspace);
    QTest::mouseClick(add, Qt::LeftButton); // Save
    ASSERT_EQ(table->rowCount(), 17);
    EXPECT_EQ(table->item(16, 1)->text(), QStringLiteral("446,006250"));
    EXPECT_EQ(table->item(16, 3)->text(), LoadString(388)); // position 1: low power only
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 16, "freq"), 446006250);
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 16, "bandwidth"), 0);
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 16, "power_level"), 1);
    EXPECT_TRUE(child->Document()->IsModified());
    EXPECT_EQ(table->currentRow(), 16);

    // A point separator; the largest frequency cannot be passed.
    SetApplicationLanguage(QStringLiteral("English"));
    QTest::mouseClick(add, Qt::LeftButton);
    entry->clear();
    QTest::keyClicks(entry, QStringLiteral("4294.967296"));
    EXPECT_EQ(entry->text(), QStringLiteral("4294.96729"));
    // A duplicate is refused by the rules and the page stays in add mode.
    entry->setText(QStringLiteral("461.0125"));
    m_sink.clear();
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_FALSE(m_sink.empty());
    EXPECT_EQ(add->text(), LoadString(291));
    // Cancel puts the selected row's values back and the buttons with them.
    QTest::mouseClick(qobject_cast<QPushButton *>(page->Control(1066)), Qt::LeftButton);
    EXPECT_EQ(entry->text(), QStringLiteral("446.006250"));
    EXPECT_EQ(add->text(), LoadString(246));
    EXPECT_TRUE(table->isEnabled());
    EXPECT_TRUE(page->Control(1065)->isEnabled());
    EXPECT_EQ(table->rowCount(), 17);
}

TEST_F(FormPageTest, FrequencyEditConfirmsDeleteAsksOnceAndTheSelectionIsKept)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("SUR41622"), [](QString &xml) {
        xml.replace(QStringLiteral("\t</frequencies>"),
                    QStringLiteral("\t\t<frequency freq=\"462000000\" bandwidth=\"3\" power_level=\"3\" compander_lle_mode=\"0\" />\r\n"
                                   "\t</frequencies>"));
    });
    ASSERT_NE(child, nullptr);
    auto *page = Show<CFrequencyView>(child, PageFrequency);
    auto *table = qobject_cast<QTableWidget *>(page->Control(1067));
    auto *entry = qobject_cast<QLineEdit *>(page->Control(1073));
    auto *edit = qobject_cast<QPushButton *>(page->Control(1065));
    auto *del = qobject_cast<QPushButton *>(page->Control(1066));
    auto *power = qobject_cast<QComboBox *>(page->Control(1064));
    ASSERT_EQ(table->rowCount(), 17);
    table->selectRow(16);
    EXPECT_EQ(entry->text(), QStringLiteral("462.000000"));
    EXPECT_EQ(power->currentIndex(), 3); // low power by default
    EXPECT_EQ(table->item(16, 3)->text(), LoadString(294));

    // A frequency that a channel uses: the rules ask; No keeps editing.
    table->selectRow(0);
    const int compander = Stored(child, QStringLiteral("frequencies"), 0, "compander_lle_mode");
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_TRUE(entry->isEnabled());
    entry->setText(QStringLiteral("461.5"));
    m_sink.clear();
    m_sink.Answer(IDNO);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(edit->text(), LoadString(291));
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 0, "freq"), 461012500);
    m_sink.Answer(IDYES);
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 0, "freq"), 461500000);
    EXPECT_EQ(Stored(child, QStringLiteral("frequencies"), 0, "compander_lle_mode"), compander) << "the compander list was not touched";
    EXPECT_EQ(table->item(0, 1)->text(), QStringLiteral("461.500000"));
    EXPECT_EQ(edit->text(), LoadString(247));

    // Every selected row used by a channel: 288 and nothing goes.
    table->selectRow(1);
    m_sink.clear();
    QTest::mouseClick(del, Qt::LeftButton);
    ASSERT_EQ(m_sink.shown().size(), 1u);
    EXPECT_EQ(m_sink.last(), LoadString(288));
    EXPECT_EQ(table->rowCount(), 17);
    // A mixed selection asks first, shows 288 once and deletes the free row.
    table->clearSelection();
    table->selectionModel()->select(table->model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    table->selectionModel()->select(table->model()->index(16, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_sink.clear();
    m_sink.Answer(IDYES);
    QTest::mouseClick(del, Qt::LeftButton);
    ASSERT_EQ(m_sink.shown().size(), 2u);
    EXPECT_EQ(m_sink.shown()[0].text, LoadString(378));
    EXPECT_EQ(m_sink.shown()[1].text, LoadString(288));
    EXPECT_EQ(table->rowCount(), 16);
    EXPECT_EQ(Item(child, QStringLiteral("frequencies")).GetChildCount(), 16);

    // The selection survives a page switch.
    table->selectRow(5);
    page = Show<CFrequencyView>(child, PageChannels);
    page = Show<CFrequencyView>(child, PageFrequency);
    table = qobject_cast<QTableWidget *>(page->Control(1067));
    EXPECT_EQ(table->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(table->currentRow(), 5);
}

TEST_F(FormPageTest, FullFrequencyTableKeepsAddOffUntilARowGoes)
{
    ASSERT_TRUE(Start());
    CChildFrame *child = OpenEdited(QStringLiteral("OUR10802"));
    ASSERT_NE(child, nullptr);
    auto *page = Show<CFrequencyView>(child, PageFrequency);
    auto *table = qobject_cast<QTableWidget *>(page->Control(1067));
    EXPECT_TRUE(page->IsFull());
    EXPECT_FALSE(page->Control(1041)->isEnabled());
    EXPECT_FALSE(page->Control(1065)->isEnabled()); // nothing selected yet
    table->selectRow(table->rowCount() - 1);
    m_sink.Answer(IDYES);
    QTest::mouseClick(qobject_cast<QPushButton *>(page->Control(1066)), Qt::LeftButton);
    EXPECT_FALSE(page->IsFull());
    EXPECT_TRUE(page->Control(1041)->isEnabled());
}
