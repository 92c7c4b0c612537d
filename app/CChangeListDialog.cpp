#include "app/CChangeListDialog.h"
#include "app/CHelpWindow.h"

#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/StringTable.h"
#include "workflow/CodeplugComparison.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavo {

namespace {
// Wide enough for a channel's tone line without scrolling.
constexpr int kListMinimumWidth = 460;
constexpr int kListMinimumHeight = 220;
} // namespace

CChangeListDialog::CChangeListDialog(const QStringList &lines, const QString &serial, const QStringList &notes, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(LoadString(msg::ChangesTitle));
    auto *layout = new QVBoxLayout(this);
    if (!notes.isEmpty()) {
        m_pNotes = new QLabel(notes.join(QLatin1Char('\n')), this);
        m_pNotes->setObjectName(QStringLiteral("notHeld"));
        m_pNotes->setWordWrap(true);
        m_pNotes->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        m_pNotes->setFrameShape(QFrame::StyledPanel);
        layout->addWidget(m_pNotes);
    }
    QString intro = LoadString(lines.size() == 1 ? msg::ChangesIntroOne : msg::ChangesIntro); // "1 field", not "1 fields"
    intro.replace(QLatin1String("%1"), QString::number(lines.size())).replace(QLatin1String("%2"), serial);
    auto *label = new QLabel(intro, this);
    label->setWordWrap(true);
    m_pList = new QListWidget(this);
    m_pList->addItems(lines);
    m_pList->setMinimumSize(kListMinimumWidth, kListMinimumHeight);
    m_pList->setAccessibleName(LoadString(msg::ChangesTitle));
    label->setBuddy(m_pList);
    layout->addWidget(label);
    layout->addWidget(m_pList);
    auto *buttons = new QDialogButtonBox(this);
    m_pWrite = buttons->addButton(LoadString(msg::TextWrite), QDialogButtonBox::AcceptRole);
    m_pCancel = buttons->addButton(LoadString(msg::ButtonCancel), QDialogButtonBox::RejectRole);
    m_pWrite->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddHelpButton(buttons, QStringLiteral("radio_commands.htm#change_list"));
    layout->addWidget(buttons);
}

bool ConfirmWriteChanges(QWidget *parent, const VirtualCP &radio, const VirtualCP &toWrite, const QStringList &notes)
{
    const QStringList lines = CodeplugChangeLines(radio, toWrite);
    if (lines.isEmpty()) {
        QString text = LoadString(msg::NoChangesToWrite) + QLatin1Char('\n') + LoadString(msg::SkipTheWrite);
        if (!notes.isEmpty())
            text.prepend(notes.join(QLatin1Char('\n')) + QStringLiteral("\n\n"));
        return ShowMessageText(text, MB_YESNO | MB_ICONQUESTION) != IDYES;
    }
    QString serial = QString::fromLatin1(reinterpret_cast<const char *>(radio.SerialBytes()), static_cast<int>(VirtualCP::kSerialWidth));
    serial.truncate(serial.indexOf(QChar(0)) < 0 ? serial.size() : serial.indexOf(QChar(0)));
    CChangeListDialog dialog(lines, serial.trimmed(), notes, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::function<bool(const VirtualCP &, const VirtualCP &, const QStringList &)> ReviewOnGuiThread(QWidget *owner)
{
    QPointer<QWidget> target(owner);
    return [target](const VirtualCP &radio, const VirtualCP &toWrite, const QStringList &notes) {
        bool goOn = false;
        if (!target)
            return goOn;
        QMetaObject::invokeMethod(
            target.data(),
            [&] {
                QWidget *parent = QApplication::activeModalWidget();
                goOn = ConfirmWriteChanges(parent ? parent : target.data(), radio, toWrite, notes);
            },
            Qt::BlockingQueuedConnection);
        return goOn;
    };
}

} // namespace tavo
