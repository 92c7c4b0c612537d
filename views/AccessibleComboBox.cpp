#include "views/AccessibleComboBox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

namespace tavo {

namespace {

class AccessibleComboBox : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleComboBox(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
    {
        addControllingSignal(QStringLiteral("activated(int)"));
    }

    QComboBox *Combo() const { return static_cast<QComboBox *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return Name();
        case QAccessible::Value: return Combo()->currentText();
        default: return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Combo()->view() && Combo()->view()->isVisible();
        s.collapsed = !s.expanded;
        s.editable = Combo()->isEditable();
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The open action shows the list, as the keyboard does.
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction() || name == pressAction())
            Combo()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }

    // The value is the entry's position; its text is the Value text above.
    QVariant currentValue() const override { return Combo()->currentIndex(); }
    void setCurrentValue(const QVariant &value) override
    {
        const int index = value.toInt();
        if (index >= 0 && index < Combo()->count() && index != Combo()->currentIndex()) {
            Combo()->setCurrentIndex(index);
            emit Combo()->activated(index);
        }
    }
    QVariant maximumValue() const override { return qMax(0, Combo()->count() - 1); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    QString Name() const
    {
        QString name = Combo()->accessibleName();
        if (name.isEmpty())
            name = LabelText();
        return name;
    }
    // The text of the label whose buddy this list is, mnemonic removed.
    QString LabelText() const
    {
        QWidget *parent = Combo()->parentWidget();
        if (!parent)
            return QString();
        for (QLabel *label : parent->findChildren<QLabel *>())
            if (label->buddy() == Combo()) {
                QString text = label->text();
                text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
                return text.trimmed();
            }
        return QString();
    }
};

} // namespace

QAccessibleInterface *AccessibleComboBoxFactory(const QString &className, QObject *object)
{
    Q_UNUSED(className);
    if (auto *combo = qobject_cast<QComboBox *>(object))
        return new AccessibleComboBox(combo);
    return nullptr;
}

void InstallAccessibleComboBoxes()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&AccessibleComboBoxFactory);
}

} // namespace tavo
