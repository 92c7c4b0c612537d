// Assistive technology on the editing pages: every input control answers
// a name, and a drop-down list answers its label's name with the entry
// shown as its value (not the entry as its name).

#include "PagesFixture.h"

#include "views/AccessibleComboBox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace tavo;
using namespace tavo::test;

namespace {

bool IsInputControl(QWidget *w)
{
    if (qobject_cast<QPushButton *>(w) || qobject_cast<QHeaderView *>(w))
        return false; // a button's caption is its name; a header is part of its table
    return qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractButton *>(w)
        || qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QAbstractItemView *>(w) || qobject_cast<QPlainTextEdit *>(w);
}

} // namespace

TEST_F(FormPageTest, EveryInputControlOfEveryPageHasANameAndListsAnswerTheirLabels)
{
    ASSERT_TRUE(Start());
    int combos = 0, controls = 0;
    for (const QString model : {QStringLiteral("SUR41622"), QStringLiteral("OUD11602"), QStringLiteral("OUR10802")}) {
        CChildFrame *child = OpenEdited(model);
        ASSERT_NE(child, nullptr);
        for (int page = PageRadioInfo; page < PageCount; ++page) {
            child->SwitchPage(page, 0);
            QApplication::processEvents();
            QWidget *shown = child->Page();
            if (!shown)
                continue;
            for (QWidget *w : shown->findChildren<QWidget *>()) {
                if (!IsInputControl(w) || !w->isVisibleTo(shown))
                    continue;
                // The combo box's own line edit is part of the list.
                if (qobject_cast<QComboBox *>(w->parentWidget()))
                    continue;
                ++controls;
                QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
                ASSERT_NE(iface, nullptr);
                const QString name = iface->text(QAccessible::Name);
                EXPECT_FALSE(name.trimmed().isEmpty())
                    << model.toStdString() << " page " << page << ": " << w->metaObject()->className() << " "
                    << w->objectName().toStdString();
                if (auto *combo = qobject_cast<QComboBox *>(w)) {
                    ++combos;
                    EXPECT_EQ(iface->role(), QAccessible::ComboBox);
                    EXPECT_EQ(iface->text(QAccessible::Value), combo->currentText());
                    if (!combo->accessibleName().isEmpty()) {
                        EXPECT_EQ(name, combo->accessibleName())
                            << model.toStdString() << " page " << page << " " << w->objectName().toStdString();
                    }
                }
            }
        }
    }
    EXPECT_GT(combos, 20);
    EXPECT_GT(controls, combos);
}

TEST_F(FormPageTest, AListNamedByItsLabelBuddyAndMovedThroughItsValue)
{
    InstallAccessibleComboBoxes();
    QWidget form;
    auto *label = new QLabel(QStringLiteral("&Squelch Level"), &form);
    auto *combo = new QComboBox(&form);
    combo->addItems({QStringLiteral("OFF"), QStringLiteral("1"), QStringLiteral("2")});
    label->setBuddy(combo);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(combo);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Squelch Level"));
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("OFF"));
    // The set name wins over the buddy's text.
    combo->setAccessibleName(QStringLiteral("Squelch"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Squelch"));
    // Setting the value chooses the entry as the user does (activated).
    int activated = -1;
    QObject::connect(combo, &QComboBox::activated, [&](int i) { activated = i; });
    QAccessibleValueInterface *value = iface->valueInterface();
    ASSERT_NE(value, nullptr);
    value->setCurrentValue(2);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(activated, 2);
    EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("2"));
    value->setCurrentValue(7); // out of the list: nothing
    EXPECT_EQ(combo->currentIndex(), 2);
}
