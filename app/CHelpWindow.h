#pragma once
// The help window of Content and Index: the help file's contents and index
// on the left, the page on the right.

#include <QWidget>
#include <memory>

class QDialogButtonBox;
class QHelpEngine;
class QTemporaryDir;
class QTextBrowser;

namespace tavo {

class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget *parent = nullptr);
    ~CHelpWindow() override;
    // Opens the help file on its first page, or on `topic` ("page.htm" or
    // "page.htm#anchor") when it names one of its pages; false when it is
    // not a valid help file.
    bool Open(const QString &qchPath, const QString &topic = QString());
    QTextBrowser *Browser() const { return m_pBrowser; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QHelpEngine *m_pEngine = nullptr;
    QTextBrowser *m_pBrowser = nullptr;
};

// Opens the help window of the interface language's help file on `topic`
// (empty: the first page); says why when it cannot (146, 147, 148).
void OpenHelpTopic(QWidget *parent, const QString &topic);

// A Help button in a dialog's button box that opens `topic`.
void AddHelpButton(QDialogButtonBox *buttons, const QString &topic);

} // namespace tavo
