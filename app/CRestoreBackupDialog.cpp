#include "app/CRestoreBackupDialog.h"
#include "app/CHelpWindow.h"

#include "resources/MessageIds.h"
#include "resources/StringTable.h"
#include "workflow/CRadioCommands.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavo {

CRestoreBackupDialog::CRestoreBackupDialog(const QString &serial, const QStringList &backups, QWidget *parent)
    : QDialog(parent), m_backups(backups)
{
    setWindowTitle(LoadString(msg::RestoreBackupTitle));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(LoadString(msg::RestoreBackupList).arg(serial), this);
    m_pList = new QListWidget(this);
    label->setBuddy(m_pList);
    const QLocale locale;
    for (const QString &path : backups) {
        m_pList->addItem(LoadString(msg::RestoreBackupItem).arg(QFileInfo(path).fileName(), locale.toString(RadioBackupTime(path), QLocale::ShortFormat)));
        m_pList->item(m_pList->count() - 1)->setToolTip(QDir::toNativeSeparators(path));
    }
    if (m_pList->count() > 0)
        m_pList->setCurrentRow(0);
    m_pList->setMinimumWidth(m_pList->sizeHintForColumn(0) + 2 * m_pList->frameWidth() + 24);
    connect(m_pList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadString(msg::ButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadString(msg::ButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddHelpButton(buttons, QStringLiteral("radio_commands.htm#backups"));
    layout->addWidget(label);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
}

QString CRestoreBackupDialog::SelectedPath() const
{
    const int row = m_pList->currentRow();
    return row >= 0 && row < m_backups.size() ? m_backups.at(row) : QString();
}

} // namespace tavo
