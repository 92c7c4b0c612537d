#include "views/CHelpView.h"

#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QHelpEngineCore>
#include <QStandardPaths>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace tavo {

namespace {
const char kCollectionPrefix[] = "tavocps-help-";
} // namespace

int RemoveStaleHelpCollections(const QString &tempFolder)
{
    int removed = 0;
    const QFileInfoList entries = QDir(tempFolder).entryInfoList({QLatin1String(kCollectionPrefix) + QLatin1Char('*')},
                                                                 QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        // "tavocps-help-PID-XXXXXX", of this user, whose process has ended.
        bool ok = false;
        const qint64 pid = entry.fileName().mid(int(sizeof kCollectionPrefix) - 1).section(QLatin1Char('-'), 0, 0).toLongLong(&ok);
        if (!ok || pid <= 0 || entry.ownerId() != ::getuid())
            continue;
        if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (QDir(entry.absoluteFilePath()).removeRecursively())
            ++removed;
    }
    return removed;
}

QString HelpCollectionFolder()
{
    static const QString folder = [] {
        RemoveStaleHelpCollections(QDir::tempPath());
        static QTemporaryDir dir(QDir::tempPath() + QLatin1Char('/') + QLatin1String(kCollectionPrefix)
                                 + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX"));
        return dir.isValid() ? dir.path() : QString();
    }();
    return folder;
}

HelpFile &HelpFile::Instance(const QString &path)
{
    static HelpFile file;
    if (!file.IsOpen() || file.Path() != path)
        file.Open(path);
    return file;
}

bool HelpFile::Open(const QString &qchPath)
{
    delete m_engine;
    m_files.clear();
    m_strPath = qchPath;
    if (qchPath.isEmpty() || !QFileInfo(qchPath).isFile())
        return false;
    // The engine keeps its register in a collection file of its own; ours
    // lives in the process's help folder.
    const QString folder = HelpCollectionFolder();
    if (folder.isEmpty())
        return false;
    const QString ns = QHelpEngineCore::namespaceName(qchPath);
    if (ns.isEmpty())
        return false;
    m_strCollection = QDir(folder).filePath(QStringLiteral("help-%1.qhc").arg(ns));
    // The engine lives with the application object, which ends it before
    // the process exits.
    auto engine = std::make_unique<QHelpEngineCore>(m_strCollection, QCoreApplication::instance());
    engine->setReadOnly(false);
    if (!engine->setupData())
        return false;
    if (!engine->registeredDocumentations().contains(ns) && !engine->registerDocumentation(qchPath))
        return false;
    const QList<QUrl> files = engine->files(ns, QString(), QStringLiteral("htm"));
    m_strFolder.clear();
    if (!files.isEmpty()) {
        const QString path = files.first().path(); // "/<folder>/<page>"
        m_strFolder = path.section(QLatin1Char('/'), 1, 1);
    }
    m_strNamespace = ns;
    m_engine = engine.release();
    return true;
}

QUrl HelpFile::PageUrl(const QString &page) const
{
    if (!m_engine || page.isEmpty())
        return QUrl();
    const QString file = page.section(QLatin1Char('#'), 0, 0);
    const QString anchor = page.section(QLatin1Char('#'), 1);
    QUrl url;
    url.setScheme(QStringLiteral("qthelp"));
    url.setHost(m_strNamespace);
    url.setPath(QStringLiteral("/%1/%2").arg(m_strFolder, file));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    if (Data(url).isNull())
        return QUrl();
    return url;
}

QByteArray HelpFile::Data(const QUrl &url) const
{
    if (!m_engine)
        return QByteArray();
    QUrl u = url;
    u.setFragment(QString());
    // Each page and picture is looked up in the help file's database once:
    // a lookup costs more than laying the page out.
    const QString key = u.toString();
    const auto kept = m_files.constFind(key);
    if (kept != m_files.constEnd())
        return *kept;
    QByteArray data;
    if (!m_engine->findFile(u).isEmpty()) {
        data = m_engine->fileData(u);
        if (data.isNull())
            data = QByteArray(""); // there, but empty
    }
    m_files.insert(key, data);
    return data;
}

// One help file laid out in the pane.
class CHelpPage : public QTextBrowser {
public:
    explicit CHelpPage(CHelpView *pane) : QTextBrowser(pane), m_pPane(pane)
    {
        // Links are followed by the pane, which keeps the page they lead to.
        setOpenLinks(false);
        setAccessibleName(LoadString(msg::MenuHelp).remove(QLatin1Char('&')));
        // Help is plain prose in Latin scripts: laid out without the shaping
        // engine (no kerning or ligatures asked for), which costs most of
        // the layout otherwise. Other scripts are shaped as ever.
        QFont font = document()->defaultFont();
        font.setKerning(false);
        font.setStyleStrategy(QFont::PreferNoShaping);
        document()->setDefaultFont(font);
        // A scroll bar that came and went with the text's length would lay
        // the text out a second time, at the narrower width.
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        connect(this, &QTextBrowser::anchorClicked, pane, [pane](const QUrl &link) { pane->FollowLink(link); });
    }

    // Lays out the help file's page at `address` (without anchor).
    void Load(const QUrl &address, const QByteArray &html)
    {
        document()->setBaseUrl(address); // the document is empty: nothing to lay out again
        setHtml(QString::fromUtf8(html));
    }

    QVariant loadResource(int type, const QUrl &name) override
    {
        const QUrl url = name.isRelative() ? document()->baseUrl().resolved(name) : name;
        if (url.scheme() == QLatin1String("qthelp")) {
            const QByteArray data = m_pPane->Help().Data(url);
            if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
                return QString::fromUtf8(data);
            return data;
        }
        return QTextBrowser::loadResource(type, name);
    }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QTextBrowser::focusInEvent(event);
        emit m_pPane->gotFocus();
    }
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        event->accept(); // the help pane has no context menu
    }

private:
    CHelpView *m_pPane;
};

CHelpView::CHelpView(QWidget *parent) : QStackedWidget(parent), m_strHelpPath(GetHelpFilePath())
{
    // Blank looks like an empty page but lays nothing out.
    auto *blank = new QFrame(this);
    blank->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    blank->setBackgroundRole(QPalette::Base);
    blank->setAutoFillBackground(true);
    blank->setAccessibleName(LoadString(msg::MenuHelp).remove(QLatin1Char('&')));
    m_pBlank = blank;
    addWidget(m_pBlank);
    setCurrentWidget(m_pBlank);
}

void CHelpView::ShowBlank()
{
    m_strAddress = QStringLiteral("about:blank");
    m_pending.clear();
    setCurrentWidget(m_pBlank);
}

QString CHelpView::PlainText()
{
    ShowPending();
    const auto *page = qobject_cast<const QTextBrowser *>(currentWidget());
    return page ? page->toPlainText() : QString();
}

void CHelpView::ShowPage(const QString &page)
{
    const QUrl url = Help().PageUrl(page);
    if (!url.isValid() || url.isEmpty()) {
        ShowBlank();
        return;
    }
    ShowAddress(url);
}

void CHelpView::ShowAddress(const QUrl &url)
{
    const QString address = url.toString();
    if (address == m_strAddress)
        return;
    QUrl file = url;
    file.setFragment(QString());
    if (!m_files.contains(file.toString()) && Help().Data(file).isEmpty()) {
        ShowBlank();
        return;
    }
    m_strAddress = address;
    m_pending = url;
    // A pane not shown yet has no width to lay the page out at: the page is
    // laid out once it is.
    if (isVisible())
        ShowPending();
}

void CHelpView::ShowPending()
{
    if (m_pending.isEmpty())
        return;
    const QUrl url = m_pending;
    m_pending.clear();
    QUrl file = url;
    file.setFragment(QString());
    CHelpPage *page = m_files.value(file.toString());
    if (!page) {
        // Shown at its size before the text goes in, so that the text is
        // laid out once, at the width it is shown with.
        page = new CHelpPage(this);
        addWidget(page);
        page->setGeometry(contentsRect());
        setCurrentWidget(page);
        page->Load(file, Help().Data(file));
        m_files.insert(file.toString(), page);
    } else {
        if (page->geometry() != contentsRect())
            page->setGeometry(contentsRect());
        setCurrentWidget(page);
    }
    if (url.hasFragment())
        page->scrollToAnchor(url.fragment());
    else
        page->verticalScrollBar()->setValue(0);
}

void CHelpView::showEvent(QShowEvent *event)
{
    QStackedWidget::showEvent(event);
    // A window being shown is still finding its size (the pane's height is
    // placed after the frame's): the page is laid out once that is done.
    if (!m_pending.isEmpty())
        QMetaObject::invokeMethod(this, &CHelpView::ShowPending, Qt::QueuedConnection);
}

void CHelpView::FollowLink(const QUrl &link)
{
    ShowPending();
    const auto *page = qobject_cast<const QTextBrowser *>(currentWidget());
    if (!page)
        return;
    const QUrl target = link.isRelative() ? page->document()->baseUrl().resolved(link) : link;
    // Only the help file's own pages; the pane opens nothing outside it.
    if (target.scheme() != QLatin1String("qthelp") || target.host() != Help().Namespace())
        return;
    m_strAddress.clear(); // a link to the anchor shown scrolls back to it
    ShowAddress(target);
}

} // namespace tavo
