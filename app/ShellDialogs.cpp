#include "app/ShellDialogs.h"

#include "base/ProfileNames.h"
#include "views/CFileDialogs.h"
#include "base/TemplateFile.h"
#include "config/SettingDocuments.h"
#include "resources/MessageIds.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace tavo {

namespace {

QString StripAccelerator(QString text) { return text.section(QLatin1Char('\t'), 0, 0); }

QDialogButtonBox *OkCancel(QDialog *dialog, int okId, int cancelId)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadString(msg::ButtonOk));
    buttons->button(QDialogButtonBox::Ok)->setProperty("ctrlId", okId);
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadString(msg::ButtonCancel));
    buttons->button(QDialogButtonBox::Cancel)->setProperty("ctrlId", cancelId);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QString ProductStem() // the product title less " CPS"
{
    QString t = QLatin1String(kProductTitle);
    return t.replace(QLatin1String(" CPS"), QString());
}

// What the New Profile list shows beside a template's code: the model's
// family, the band and the channel count, read from the template itself.
QString TemplateDescription(const QString &path, const QString &code)
{
    QString text;
    if (!LoadTemplateFile(path, text))
        return code;
    const auto attribute = [&text](const char *name) {
        const QRegularExpression re(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(QLatin1String(name)));
        return re.match(text).captured(1);
    };
    QString family;
    if (AppSettingDocuments().IsLoaded())
        for (const ModelEntry &m : AppSettingDocuments().GetModelList())
            if (m.m_strCode == code)
                family = m.m_strFamily;
    const QString model = attribute(names::kModel);
    bool okStart = false, okEnd = false, okChannels = false;
    const double start = attribute(names::kStartFreq).toDouble(&okStart) / 1e6;
    const double end = attribute(names::kEndFreq).toDouble(&okEnd) / 1e6;
    const int channels = attribute(names::kMaxChannels).toInt(&okChannels);
    if (model.isEmpty() || !okStart || !okEnd || !okChannels)
        return code;
    // The band in the interface language's numbers ("446,0" in German).
    const QString separator = GetDecimalSeparator();
    const auto megahertz = [&separator](double mhz) {
        return QString::number(mhz, 'f', 1).replace(QLatin1Char('.'), separator);
    };
    return LoadString(msg::NewProfileEntry)
        .arg(code, family.isEmpty() ? model : family, megahertz(start), megahertz(end))
        .arg(channels);
}

} // namespace

// ---- New Profile

CNewProfileDlg::CNewProfileDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(LoadString(msg::NewProfileTitle));
    setProperty("ctrlId", 142);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(LoadString(msg::ChooseProfileModel), this);
    label->setProperty("ctrlId", 1071);
    m_pList = new QListWidget(this);
    m_pList->setProperty("ctrlId", 1027);
    label->setBuddy(m_pList);
    m_pList->setAccessibleName(StripAccelerator(LoadString(msg::ChooseProfileModel)));
    layout->addWidget(label);
    layout->addWidget(m_pList);
    layout->addWidget(OkCancel(this, 1, 2));
    m_strFolder = InstallFilePath(QLatin1String(kProfileTemplateFolder), QString());
    const QFileInfoList files = QDir(m_strFolder).entryInfoList({QStringLiteral("*.kp2")}, QDir::Files, QDir::Name);
    for (const QFileInfo &f : files) {
        const QString code = f.fileName().chopped(4);
        auto *item = new QListWidgetItem(TemplateDescription(f.filePath(), code), m_pList);
        item->setData(Qt::UserRole, code);
    }
    if (m_pList->count() > 0)
        m_pList->setCurrentRow(0);
    // Every entry shows whole, its channel count included: no side scroll.
    m_pList->setMinimumWidth(m_pList->sizeHintForColumn(0) + 2 * m_pList->frameWidth()
                             + m_pList->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

bool CNewProfileDlg::HasTemplates() const { return m_pList->count() > 0; }

QString CNewProfileDlg::SelectedPath() const
{
    const QListWidgetItem *item = m_pList->currentItem();
    return item ? QDir(m_strFolder).filePath(item->data(Qt::UserRole).toString() + QStringLiteral(".kp2")) : QString();
}

QString CNewProfileDlg::Choose()
{
    if (!HasTemplates()) {
        ShowMessage(msg::TemplatesMissing, MB_OK | MB_ICONERROR);
        return QString();
    }
    return exec() == QDialog::Accepted ? SelectedPath() : QString();
}

// ---- About

CAboutDialog::CAboutDialog(const QString &productVersion, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(LoadString(msg::AboutTitle) + QLatin1Char(' ') + QLatin1String(kProductTitle));
    setProperty("ctrlId", 100);
    auto *layout = new QVBoxLayout(this);
    const struct {
        int id;
        QString text;
    } lines[] = {{1101, LoadString(msg::AboutProductLine).replace(QLatin1String("%s"), ProductStem())},
                 {1102, LoadString(msg::AboutVersion).replace(QLatin1String("%s"), productVersion)},
                 {1103, LoadString(msg::AboutCopyright)},
                 {1104, LoadString(msg::AboutTrademark).replace(QLatin1String("%s"), ProductStem())},
                 {1105, LoadString(msg::AboutCopyrightWarning)}};
    for (const auto &l : lines) {
        auto *label = new QLabel(l.text, this);
        label->setProperty("ctrlId", l.id);
        label->setWordWrap(true);
        if (l.id == 1101) {
            QFont f = label->font();
            f.setBold(true);
            label->setFont(f);
        }
        layout->addWidget(label);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadString(msg::ButtonOk));
    buttons->button(QDialogButtonBox::Ok)->setProperty("ctrlId", 1);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

// ---- Password

CAskPwdDlg::CAskPwdDlg(const QString &radioPassword, QString &remembered, QWidget *parent)
    : QDialog(parent), m_strRadioPassword(radioPassword), m_strRemembered(remembered)
{
    setWindowTitle(LoadString(msg::PasswordDialogTitle));
    setProperty("ctrlId", 136);
    auto *layout = new QVBoxLayout(this);
    auto *prompt = new QLabel(LoadString(msg::PasswordPrompt), this);
    prompt->setProperty("ctrlId", 1074);
    m_pEntry = new QLineEdit(this);
    m_pEntry->setProperty("ctrlId", 1016);
    m_pEntry->setMaxLength(4);
    m_pEntry->setEchoMode(QLineEdit::Password);
    prompt->setBuddy(m_pEntry);
    layout->addWidget(prompt);
    layout->addWidget(m_pEntry);
    layout->addWidget(OkCancel(this, 1041, 1065));
    m_pEntry->setFocus();
}

void CAskPwdDlg::accept()
{
    const QString entry = m_pEntry->text();
    if (entry != m_strRadioPassword)
        ShowMessage(msg::PasswordIncorrect, MB_OK | MB_ICONWARNING);
    else
        m_strRemembered = entry;
    QDialog::accept();
}

// ---- Dealer information

namespace {
constexpr int kDealerMaxChars = 250;
QString ForEdit(QString text) { return text.replace(QLatin1String("\r\n"), QLatin1String("\n")); }
QString ForStore(QString text) { return text.replace(QLatin1String("\n"), QLatin1String("\r\n")); }
} // namespace

CDealerInfoDialog::CDealerInfoDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(LoadString(msg::DealerInfoTitle));
    setProperty("ctrlId", 138);
    auto *form = new QFormLayout;
    auto add = [&](int captionId, int captionTextId, int editId) {
        auto *edit = new QPlainTextEdit(this);
        edit->setProperty("ctrlId", editId);
        edit->setTabChangesFocus(true);
        edit->setFixedHeight(64);
        auto *caption = new QLabel(LoadString(captionTextId), this);
        caption->setProperty("ctrlId", captionId);
        caption->setBuddy(edit);
        edit->setAccessibleName(LoadString(captionTextId));
        // At most 250 characters, as the stored value allows.
        connect(edit, &QPlainTextEdit::textChanged, edit, [edit] {
            const QString text = edit->toPlainText();
            if (text.size() > kDealerMaxChars) {
                edit->setPlainText(text.left(kDealerMaxChars));
                edit->moveCursor(QTextCursor::End);
            }
        });
        form->addRow(caption, edit);
        return edit;
    };
    m_pLeft = add(1079, msg::DealerInformationText, 1001);
    m_pMiddle = add(1080, msg::DealerContactText, 1005);
    m_pRight = add(1081, msg::DealerNotesText, 1002);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this, 1, 2));
    setMinimumWidth(460);
}

void CDealerInfoDialog::SetTexts(const QString &left, const QString &middle, const QString &right)
{
    m_pLeft->setPlainText(ForEdit(left));
    m_pMiddle->setPlainText(ForEdit(middle));
    m_pRight->setPlainText(ForEdit(right));
}

QPlainTextEdit *CDealerInfoDialog::Edit(int ctrlId) const
{
    return ctrlId == 1001 ? m_pLeft : ctrlId == 1005 ? m_pMiddle : ctrlId == 1002 ? m_pRight : nullptr;
}

void CDealerInfoDialog::accept()
{
    if (!EnsureUserKeys()) {
        ShowMessage(msg::RegistryOpenFailed, MB_OK | MB_ICONERROR);
        return;
    }
    if (!SetDealerInfo(ForStore(m_pLeft->toPlainText()), ForStore(m_pRight->toPlainText()),
                       ForStore(m_pMiddle->toPlainText()))) {
        ShowMessage(msg::RegistryWriteFailed, MB_OK | MB_ICONERROR);
        return;
    }
    QDialog::accept();
}

int RunDealerInfoCommand(QWidget *parent)
{
    if (ApplicationLanguage().isEmpty()) {
        ShowMessage(msg::LanguageTypeError, MB_OK | MB_ICONERROR);
        return -1;
    }
    if (!EnsureUserKeys()) {
        ShowMessage(msg::RegistryOpenFailed, MB_OK | MB_ICONERROR);
        return -1;
    }
    QString left, right, middle;
    const int read = GetDealerInfo(left, right, middle);
    for (const QString *t : {&left, &right, &middle})
        if (ForEdit(*t).size() > kDealerMaxChars) {
            ShowMessage(msg::DealerInfoTooLong, MB_OK | MB_ICONWARNING);
            return -1;
        }
    if (!read) {
        ShowMessage(msg::DealerInfoLoadFailed, MB_OK | MB_ICONERROR);
        return -1;
    }
    CDealerInfoDialog dialog(parent);
    dialog.SetTexts(left, middle, right);
    return dialog.exec();
}

// ---- Splash

CSplashWindow::CSplashWindow(int ms) : QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(480, 280);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    qApp->installEventFilter(this);
    QTimer::singleShot(ms, this, &QWidget::close);
}

CSplashWindow::~CSplashWindow()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void CSplashWindow::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(70, 80, 170));
    g.setColorAt(1, QColor(150, 160, 235));
    p.fillRect(rect(), g);
    p.setPen(Qt::white);
    QFont f = font();
    f.setPointSize(22);
    f.setBold(true);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 0, 0, -60), Qt::AlignCenter, QLatin1String(kProductTitle));
    f.setPointSize(10);
    f.setBold(false);
    p.setFont(f);
    p.drawText(rect().adjusted(0, 120, 0, 0), Qt::AlignCenter,
               LoadString(msg::AboutProductLine).replace(QLatin1String("%s"), ProductStem()));
}

bool CSplashWindow::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        return true; // input is discarded while the splash is up
    default:
        return false;
    }
}

} // namespace tavo
