#pragma once
// The help pane below a profile's editing page: shows the help page of the
// focused control from the current language's help file, and goes blank
// when a page cannot be shown rather than showing an error page.

#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QPointer>

#include <QHelpEngineCore>

namespace tavo {

// The folder this process keeps its help collections in (the help
// engine's register of the help file): "tavocps-help-PID-XXXXXX" in the
// temporary folder, removed at exit. Folders of that name whose process
// no longer runs (a copy ended by a signal) are removed when it is first
// made. Empty when none can be made.
QString HelpCollectionFolder();
// The same clearing, of the folders under `tempFolder`; how many went.
int RemoveStaleHelpCollections(const QString &tempFolder);

// The help file of the application's language (a Qt compressed help file),
// opened once and read by every help pane.
class HelpFile {
public:
    // The help file at `path` (an empty or missing file gives an invalid one).
    static HelpFile &Instance();
    // Opens `qchPath`; false when it is not a readable help file.
    bool Open(const QString &qchPath);
    bool IsOpen() const { return m_engine != nullptr; }
    QString Path() const { return m_strPath; }
    // The address of `page` ("radio_information.htm#serial_number") in the
    // help file; invalid when the file has no such page.
    QUrl PageUrl(const QString &page) const;
    // The bytes of a page or picture of the help file.
    QByteArray Data(const QUrl &url) const;
    // The namespace and folder of the pages inside the help file.
    QString Namespace() const { return m_strNamespace; }

private:
    QPointer<QHelpEngineCore> m_engine; // owned by the application object
    QString m_strPath;
    QString m_strNamespace;
    QString m_strFolder;
    QString m_strCollection;
};

class CHelpView : public QTextBrowser {
    Q_OBJECT
public:
    explicit CHelpView(QWidget *parent = nullptr);

    // Shows the help page `page`; an empty or missing page shows a blank page.
    void ShowPage(const QString &page);
    void ShowBlank();
    // "about:blank", or the address shown.
    QString CurrentAddress() const { return m_strAddress; }

    QVariant loadResource(int type, const QUrl &name) override;

signals:
    // The pane took the focus: the tree's Add, Delete and Rename go off.
    void gotFocus();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QString m_strAddress = QStringLiteral("about:blank");
};

} // namespace tavo
