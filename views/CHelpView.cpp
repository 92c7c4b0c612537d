#include "views/CHelpView.h"

#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QHelpEngineCore>
#include <QStandardPaths>
#include <QTemporaryDir>

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

HelpFile &HelpFile::Instance()
{
    static HelpFile file;
    if (!file.IsOpen() || file.Path() != GetHelpFilePath())
        file.Open(GetHelpFilePath());
    return file;
}

bool HelpFile::Open(const QString &qchPath)
{
    delete m_engine;
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
    QUrl withoutFragment = url;
    withoutFragment.setFragment(QString());
    if (m_engine->findFile(withoutFragment).isEmpty())
        return QUrl();
    return url;
}

QByteArray HelpFile::Data(const QUrl &url) const
{
    if (!m_engine)
        return QByteArray();
    QUrl u = url;
    u.setFragment(QString());
    return m_engine->fileData(u);
}

CHelpView::CHelpView(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(true);
    setOpenExternalLinks(false);
    setAccessibleName(LoadString(msg::MenuHelp).remove(QLatin1Char('&')));
    // Help is plain prose in Latin scripts: laid out without the shaping
    // engine (no kerning or ligatures asked for), which costs most of a
    // page switch otherwise. Other scripts are shaped as ever.
    QFont font = document()->defaultFont();
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    document()->setDefaultFont(font);
    ShowBlank();
}

void CHelpView::ShowBlank()
{
    m_strAddress = QStringLiteral("about:blank");
    clear();
}

void CHelpView::ShowPage(const QString &page)
{
    const QUrl url = HelpFile::Instance().PageUrl(page);
    if (!url.isValid() || url.isEmpty()) {
        if (m_strAddress != QLatin1String("about:blank"))
            ShowBlank();
        return;
    }
    const QString address = url.toString();
    if (address == m_strAddress)
        return;
    const QByteArray html = HelpFile::Instance().Data(url);
    if (html.isEmpty()) {
        ShowBlank();
        return;
    }
    QUrl base = url;
    base.setFragment(QString());
    // Emptied first: a new base address lays out what the document holds
    // again, which would be the page that is going.
    clear();
    document()->setBaseUrl(base);
    setHtml(QString::fromUtf8(html));
    if (url.hasFragment())
        scrollToAnchor(url.fragment());
    m_strAddress = address;
}

QVariant CHelpView::loadResource(int type, const QUrl &name)
{
    if (name.scheme() == QLatin1String("qthelp")) {
        const QByteArray data = HelpFile::Instance().Data(name);
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(data);
        return data;
    }
    return QTextBrowser::loadResource(type, name);
}

void CHelpView::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // the help pane has no context menu
}

void CHelpView::focusInEvent(QFocusEvent *event)
{
    QTextBrowser::focusInEvent(event);
    emit gotFocus();
}

} // namespace tavo
