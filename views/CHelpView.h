#pragma once
// The help pane below a profile's editing page: shows the help page of the
// focused control from the current language's help file, and goes blank
// when a page cannot be shown rather than showing an error page.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStackedWidget>
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
    // The help file at `path` (an empty or missing file gives an invalid
    // one), opened once for the panes of all windows.
    static HelpFile &Instance(const QString &path);
    // Opens `qchPath`; false when it is not a readable help file.
    bool Open(const QString &qchPath);
    bool IsOpen() const { return m_engine != nullptr; }
    QString Path() const { return m_strPath; }
    // The address of `page` ("radio_information.htm#serial_number") in the
    // help file; invalid when the file has no such page.
    QUrl PageUrl(const QString &page) const;
    // The bytes of a page or picture of the help file; null when the file
    // has no such page.
    QByteArray Data(const QUrl &url) const;
    // The namespace and folder of the pages inside the help file.
    QString Namespace() const { return m_strNamespace; }

private:
    QPointer<QHelpEngineCore> m_engine; // owned by the application object
    QString m_strPath;
    QString m_strNamespace;
    QString m_strFolder;
    QString m_strCollection;
    // The pages and pictures read so far, by address; a null array for an
    // address the file does not hold.
    mutable QHash<QString, QByteArray> m_files;
};

class CHelpPage;

// The pane keeps each help file it has shown laid out in a page of its own
// and shows that page again when it comes back, moved to the anchor asked
// for: a page switch or a focus move does not lay the prose out again.
class CHelpView : public QStackedWidget {
    Q_OBJECT
public:
    // The pane shows the help file of the application's language as it is
    // when the pane is made.
    explicit CHelpView(QWidget *parent = nullptr);

    // Shows the help page `page` ("channel.htm#ctcss"); an empty or missing
    // page shows a blank page.
    void ShowPage(const QString &page);
    void ShowBlank();
    // "about:blank", or the address shown.
    QString CurrentAddress() const { return m_strAddress; }
    // The text shown.
    QString PlainText();
    // How many help files are kept laid out.
    int KeptFiles() const { return int(m_files.size()); }

signals:
    // The pane took the focus: the tree's Add, Delete and Rename go off.
    void gotFocus();

protected:
    void showEvent(QShowEvent *event) override;

private:
    friend class CHelpPage;
    HelpFile &Help() const { return HelpFile::Instance(m_strHelpPath); }
    // Shows the address `url` of the help file (a page of it, with its anchor).
    void ShowAddress(const QUrl &url);
    // Shows the address last asked for, laying its page out if need be.
    void ShowPending();
    // A link in the shown page: a page of the help file is shown here.
    void FollowLink(const QUrl &link);

    QWidget *m_pBlank = nullptr;
    // The address asked for while the pane was not shown.
    QUrl m_pending;
    // The kept pages by the help file's address (without anchor).
    QHash<QString, CHelpPage *> m_files;
    // The help file shown.
    const QString m_strHelpPath;
    QString m_strAddress = QStringLiteral("about:blank");
};

} // namespace tavo
