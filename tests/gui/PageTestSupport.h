#pragma once
// Shared steps of the page tests: a profile copy with some attributes
// changed, a page of an open profile, and keyboard entry into an edit.

#include "GuiFixture.h"

#include "views/CBaseView.h"
#include "base/TemplateFile.h"
#include "profile/ProfileDocument.h"

#include <libxml/tree.h>

#include <QLineEdit>
#include <QTest>
#include <functional>
#include <utility>
#include <vector>

namespace tavo::test {

class PageTest : public GuiTest {
protected:
    using Edits = std::vector<std::pair<QString, QString>>;

    // A copy of a template with each `from` text replaced by `to` (every
    // occurrence, or the first only when `from` starts with "1:").
    QString ProfileWith(const QString &model, const QString &name, const Edits &edits)
    {
        QString text;
        EXPECT_TRUE(LoadTemplateFile(SourceInstall() + QStringLiteral("/profiletemplate/") + model + QStringLiteral(".kp2"), text));
        for (const auto &[from, to] : edits) {
            if (from.startsWith(QStringLiteral("1:"))) {
                const QString f = from.mid(2);
                const int at = text.indexOf(f);
                EXPECT_GE(at, 0) << f.toStdString();
                text.replace(at, f.size(), to);
            } else {
                EXPECT_TRUE(text.contains(from)) << from.toStdString();
                text.replace(from, to);
            }
        }
        const QString path = m_dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(EncodeScrambledUtf16(text));
        return path;
    }

    // Opens `path` and shows page `index`; null when that failed.
    template <class Page>
    Page *OpenPage(const QString &path, int index)
    {
        if (!m_app && !Start())
            return nullptr;
        m_child = Frame()->OpenDocumentFile(path);
        if (!m_child)
            return nullptr;
        m_child->resize(1000, 720);
        m_child->show();
        Frame()->show();
        Frame()->activateWindow();
        QApplication::processEvents();
        m_child->SwitchPage(index);
        QApplication::processEvents();
        return qobject_cast<Page *>(m_child->Page());
    }

    CTavoCPSDoc *Doc() const { return m_child->Document(); }
    CDataItem Setting() const
    {
        CDataItem setting;
        Doc()->Root().GetChildByName(QStringLiteral("setting"), setting);
        return setting;
    }

    // Changes the loaded profile behind the rules' back (a value the page
    // must cope with): sets attribute `name` of the first element `element`,
    // or removes it when `value` is null.
    void SetRaw(const char *element, const char *name, const char *value)
    {
        xmlNode *found = nullptr;
        std::function<void(xmlNode *)> walk = [&](xmlNode *n) {
            for (; n && !found; n = n->next) {
                if (n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, BAD_CAST element))
                    found = n;
                else
                    walk(n->children);
            }
        };
        walk(Doc()->Model().m_spDocument->root());
        ASSERT_NE(found, nullptr) << element;
        if (value)
            xmlSetProp(found, BAD_CAST name, BAD_CAST value);
        else
            xmlUnsetProp(found, BAD_CAST name);
    }

    // Replaces an edit's text by typing, as a user would.
    static void Type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    CChildFrame *m_child = nullptr;
};

} // namespace tavo::test
