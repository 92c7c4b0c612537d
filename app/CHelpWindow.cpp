#include "app/CHelpWindow.h"

#include "views/CFileDialogs.h"
#include "views/CHelpView.h"
#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpFilterEngine>
#include <QHelpContentModel>
#include <QHelpIndexModel>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace tavo {

namespace {

// A browser that reads the help file's pages and pictures.
class HelpBrowser : public QTextBrowser {
public:
    HelpBrowser(QHelpEngine *engine, QWidget *parent) : QTextBrowser(parent), m_pEngine(engine) {}
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (name.scheme() == QLatin1String("qthelp")) {
            QUrl u = name;
            u.setFragment(QString());
            const QByteArray data = m_pEngine->fileData(u);
            if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
                return QString::fromUtf8(data);
            return data;
        }
        return QTextBrowser::loadResource(type, name);
    }

private:
    QHelpEngine *m_pEngine;
};

} // namespace

CHelpWindow::CHelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QLatin1String(kProductTitle) + QStringLiteral(" - ")
                   + LoadString(msg::MenuHelpContents).section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&')));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 600);
}

CHelpWindow::~CHelpWindow() = default;

bool CHelpWindow::Open(const QString &qchPath, const QString &topic)
{
    const QString folder = HelpCollectionFolder();
    if (folder.isEmpty())
        return false;
    m_dir = std::make_unique<QTemporaryDir>(folder + QStringLiteral("/window-XXXXXX"));
    if (!m_dir->isValid())
        return false;
    m_pEngine = new QHelpEngine(m_dir->filePath(QStringLiteral("help.qhc")), this);
    m_pEngine->setReadOnly(false); // the register lives in our own collection file
    const QString ns = QHelpEngineCore::namespaceName(qchPath);
    if (ns.isEmpty() || !m_pEngine->setupData())
        return false;
    if (!m_pEngine->registeredDocumentations().contains(ns) && !m_pEngine->registerDocumentation(qchPath))
        return false;
    m_pBrowser = new HelpBrowser(m_pEngine, this);
    m_pBrowser->setAccessibleName(LoadString(msg::HelpPageName));
    auto *tabs = new QTabWidget(this);
    tabs->addTab(m_pEngine->contentWidget(), LoadString(msg::HelpContentsTab));
    tabs->addTab(m_pEngine->indexWidget(), LoadString(msg::TextIndex));
    auto *split = new QSplitter(this);
    split->addWidget(tabs);
    split->addWidget(m_pBrowser);
    split->setSizes({250, 650});
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
    connect(m_pEngine->contentWidget(), &QHelpContentWidget::linkActivated, m_pBrowser,
            [this](const QUrl &url) { m_pBrowser->setSource(url); });
    connect(m_pEngine->indexWidget(), &QHelpIndexWidget::documentActivated, m_pBrowser,
            [this](const QHelpLink &link, const QString &) { m_pBrowser->setSource(link.url); });
    QHelpContentWidget *contents = m_pEngine->contentWidget();
    connect(m_pEngine->contentModel(), &QHelpContentModel::contentsCreated, contents,
            [contents] { contents->expandToDepth(0); });
    m_pEngine->contentModel()->createContents(m_pEngine->filterEngine()->activeFilter());
    m_pEngine->indexModel()->createIndex(m_pEngine->filterEngine()->activeFilter());
    const QList<QUrl> pages = m_pEngine->files(ns, QString(), QStringLiteral("htm"));
    if (pages.isEmpty())
        return false;
    QUrl first = pages.first();
    const QString page = topic.section(QLatin1Char('#'), 0, 0);
    const QString anchor = topic.section(QLatin1Char('#'), 1);
    for (const QUrl &u : pages)
        if (u.path().endsWith(QLatin1String("/index.htm")))
            first = u;
    for (const QUrl &u : pages)
        if (!page.isEmpty() && u.path().endsWith(QLatin1Char('/') + page)) {
            first = u;
            first.setFragment(anchor.isEmpty() ? QString() : anchor);
        }
    m_pBrowser->setSource(first);
    return true;
}

void OpenHelpTopic(QWidget *parent, const QString &topic)
{
    const QString path = GetHelpFilePath();
    if (path.isEmpty()) {
        ShowMessage(msg::HelpFileNotConfigured, MB_OK | MB_ICONERROR);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        ShowMessage(msg::HelpFileMissing, MB_OK | MB_ICONERROR);
        return;
    }
    auto *window = new CHelpWindow(parent);
    if (!window->Open(path, topic)) {
        delete window;
        ShowMessage(msg::HelpFileInvalid, MB_OK | MB_ICONERROR);
        return;
    }
    window->show();
}

void AddHelpButton(QDialogButtonBox *buttons, const QString &topic)
{
    QPushButton *help = buttons->addButton(QDialogButtonBox::Help);
    help->setText(LoadString(msg::MenuHelp));
    help->setObjectName(QStringLiteral("help"));
    QObject::connect(buttons, &QDialogButtonBox::helpRequested, buttons,
                     [buttons, topic] { OpenHelpTopic(buttons->window(), topic); });
}

} // namespace tavo
