#include "views/CHelpView.h"

#include "config/Registry.h"

#include <QCoreApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHelpEngineCore>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tavo {

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
    // lives in a private temporary folder for the life of the process.
    static QTemporaryDir collectionDir;
    if (!collectionDir.isValid())
        return false;
    const QString ns = QHelpEngineCore::namespaceName(qchPath);
    if (ns.isEmpty())
        return false;
    m_strCollection = collectionDir.filePath(QStringLiteral("help-%1.qhc").arg(ns));
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
    setAccessibleName(QStringLiteral("Help"));
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
