#include "app/CRadioSettings.h"
#include "app/CHelpWindow.h"

#include "config/Registry.h"
#include "radio/LinkTrace.h"
#include "views/CFileDialogs.h"
#include "radio/CRadioOperation.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QSettings>

#include <unistd.h>

namespace tavo {

namespace {

ContextValue<QString> &PortOverride()
{
    static ContextValue<QString> value;
    return value;
}

QVariant UserValue(const QString &key, const QVariant &fallback = QVariant())
{
    QSettings settings(UserSettingsFile(), QSettings::IniFormat);
    return settings.value(key, fallback);
}

void SetUserValue(const QString &key, const QVariant &value)
{
    QSettings settings(UserSettingsFile(), QSettings::IniFormat);
    settings.setValue(key, value);
}

const QString kPortKey = QStringLiteral("Radio/Port");
const QString kVerifyKey = QStringLiteral("Radio/VerifyAfterWrite");
const QString kShowChangesKey = QStringLiteral("Radio/ShowChangesBeforeWrite");
const QString kTraceKey = QStringLiteral("Radio/TraceFile");

// The trace files already said to fail in this session.
void SayTraceFailureOnce(const QString &path, const QString &text)
{
    static QStringList said;
    if (said.contains(path))
        return;
    said.append(path);
    ShowMessageText(text, MB_OK | MB_ICONWARNING);
}

} // namespace

QString GetRadioPort()
{
    const QString given = PortOverride().Get();
    return given.isEmpty() ? UserValue(kPortKey).toString() : given;
}

void SetRadioPort(const QString &port)
{
    SetUserValue(kPortKey, port.trimmed());
    PortOverride().Set(QString());
}

void SetPortOverride(const QString &port)
{
    PortOverride().Set(port);
}

bool GetVerifyAfterWrite()
{
    return UserValue(kVerifyKey, true).toBool();
}

void SetVerifyAfterWrite(bool verify)
{
    SetUserValue(kVerifyKey, verify);
}

bool GetShowChangesBeforeWrite()
{
    return UserValue(kShowChangesKey, true).toBool();
}

void SetShowChangesBeforeWrite(bool show)
{
    SetUserValue(kShowChangesKey, show);
}

QString GetTraceFile()
{
    return UserValue(kTraceKey).toString();
}

void SetTraceFile(const QString &path)
{
    SetUserValue(kTraceKey, path.trimmed());
}

CableConfig RadioCableConfig()
{
    CableConfig config = DefaultCableConfig();
    config.portPath = GetRadioPort();
    const QString trace = GetTraceFile();
    if (!trace.isEmpty()) {
        auto file = std::make_shared<LinkTrace>();
        QString error;
        // A trace that does not open, or stops taking lines, leaves the
        // transfer untraced; the user hears of it once per trace file.
        if (file->OpenFile(trace, error)) {
            file->SetWriteFailureReport([trace](const QString &text) {
                QMetaObject::invokeMethod(qApp, [trace, text] { SayTraceFailureOnce(trace, text); }, Qt::QueuedConnection);
            });
            config.trace = file;
        } else {
            SayTraceFailureOnce(trace, LoadString(msg::TraceNotWritten).arg(error));
        }
    }
    return config;
}

std::optional<int> CountOwnPort()
{
    const QString port = GetRadioPort();
    if (port.isEmpty())
        return std::nullopt;
    // Opening the port to count it would disturb a radio that waits on it;
    // a device that exists and may be opened counts as one cable.
    const QByteArray path = QFile::encodeName(port);
    return ::access(path.constData(), R_OK | W_OK) == 0 ? 1 : 0;
}

int CountRadioCables()
{
    CableConfig config = DefaultCableConfig();
    config.portPath.clear();
    std::lock_guard<std::mutex> lock(RadioLock());
    CRadioOperation op(nullptr, config);
    return op.CountCables();
}

CPortSettingsDialog::CPortSettingsDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(LoadString(msg::PortSettingsTitle));
    auto *form = new QFormLayout(this);
    m_pPort = new QComboBox(this);
    m_pPort->setEditable(true);
    m_pPort->addItem(QString());
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        m_pPort->addItem(info.systemLocation());
    m_pPort->setCurrentText(GetRadioPort());
    auto *portLabel = new QLabel(LoadString(msg::PortSettingsPort), this);
    portLabel->setBuddy(m_pPort);
    form->addRow(portLabel, m_pPort);
    m_pVerify = new QCheckBox(LoadString(msg::PortSettingsVerify), this);
    m_pVerify->setChecked(GetVerifyAfterWrite());
    form->addRow(m_pVerify);
    m_pShowChanges = new QCheckBox(LoadString(msg::ShowChangesBeforeWrite), this);
    m_pShowChanges->setChecked(GetShowChangesBeforeWrite());
    form->addRow(m_pShowChanges);
    m_pTrace = new QLineEdit(GetTraceFile(), this);
    auto *traceLabel = new QLabel(LoadString(msg::PortSettingsTrace), this);
    traceLabel->setBuddy(m_pTrace);
    m_pBrowse = new QPushButton(LoadString(msg::TraceBrowse), this);
    connect(m_pBrowse, &QPushButton::clicked, this, &CPortSettingsDialog::OnBrowseTrace);
    auto *traceRow = new QHBoxLayout;
    traceRow->addWidget(m_pTrace, 1);
    traceRow->addWidget(m_pBrowse);
    form->addRow(traceLabel, traceRow);
    SetPathFieldWidths();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadString(msg::ButtonOk));
    buttons->button(QDialogButtonBox::Cancel)->setText(LoadString(msg::ButtonCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddHelpButton(buttons, QStringLiteral("radio_commands.htm#port_transfer"));
    form->addRow(buttons);
}

// The port and the trace file are paths: wide enough to show a full one.
void CPortSettingsDialog::SetPathFieldWidths()
{
    const int width = fontMetrics().horizontalAdvance(QString(kPathFieldChars, QLatin1Char('n')));
    m_pPort->setMinimumWidth(width);
    m_pTrace->setMinimumWidth(width);
}

void CPortSettingsDialog::OnBrowseTrace()
{
    const QString path = CFileDialogs::GetTraceFileName(this, m_pTrace->text().trimmed());
    if (!path.isEmpty())
        m_pTrace->setText(path);
}

void CPortSettingsDialog::accept()
{
    SetRadioPort(m_pPort->currentText());
    SetVerifyAfterWrite(m_pVerify->isChecked());
    SetShowChangesBeforeWrite(m_pShowChanges->isChecked());
    SetTraceFile(m_pTrace->text());
    QDialog::accept();
}

} // namespace tavo
