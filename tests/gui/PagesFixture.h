#pragma once
// Shared set-up of the editing-page tests: a profile made from a template
// with some text edited, opened in a profile window, and helpers that drive
// the page's widgets the way a user does.

#include "GuiFixture.h"

#include "views/CBaseView.h"
#include "base/TemplateFile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>

namespace tavo::test {

class FormPageTest : public GuiTest {
protected:
    // Opens a copy of template `model` whose XML went through `edit`.
    CChildFrame *OpenEdited(const QString &model, const std::function<void(QString &)> &edit = {})
    {
        QString text;
        if (!LoadTemplateFile(SourceInstall() + QStringLiteral("/profiletemplate/") + model + QStringLiteral(".kp2"), text))
            return nullptr;
        if (edit)
            edit(text);
        const QString path = m_dir.filePath(model + QString::number(++m_nOpened) + QStringLiteral(".kp2"));
        if (!WriteFileBytes(path, ProfileFileBytes(text)))
            return nullptr;
        CChildFrame *child = Frame()->OpenDocumentFile(path);
        if (child) {
            child->resize(1000, 760);
            child->show();
            QApplication::processEvents();
        }
        return child;
    }
    // The same, with the main window shown and active first (so that its
    // shortcuts take the keys a test presses).
    CChildFrame *OpenShown(const QString &model, const std::function<void(QString &)> &edit = {})
    {
        Frame()->show();
        Frame()->activateWindow();
        CChildFrame *child = OpenEdited(model, edit);
        QApplication::processEvents();
        return child;
    }
    // Shows page `index` (channel `channel`) and returns it as T.
    template <class T>
    T *Show(CChildFrame *child, int index, int channel = 0)
    {
        child->SwitchPage(index, channel);
        QApplication::processEvents();
        return qobject_cast<T *>(child->Page());
    }
    // Picks entry `position` of a list as a user does.
    static void Choose(QWidget *list, int position)
    {
        auto *combo = qobject_cast<QComboBox *>(list);
        combo->setCurrentIndex(position);
        emit combo->activated(position);
    }
    // An attribute of a child of the root, or of child `index` of it.
    static CDataItem Item(CChildFrame *child, const QString &name, int index = -1)
    {
        CDataItem item, sub;
        child->Document()->Root().GetChildByName(name, item);
        if (index < 0)
            return item;
        item.GetChildByIndex(index, sub);
        return sub;
    }
    static int Stored(CChildFrame *child, const QString &name, int index, const char *attribute)
    {
        return Item(child, name, index).GetInt(QLatin1String(attribute));
    }

    int m_nOpened = 0;
};

} // namespace tavo::test
