#include "views/CTavoCPSDoc.h"

#include "views/CFileDialogs.h"
#include "base/CTavoCPSException.h"
#include "base/TemplateFile.h"
#include "codeplug/VirtualCP.h"
#include "profile/CDataAdaptor.h"
#include "profile/ProfileChecks.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace tavo {

namespace {

// The test seam that interrupts a profile file being written.
ContextValue<std::function<bool(qint64)>> &WriteInterruption()
{
    static ContextValue<std::function<bool(qint64)>> value;
    return value;
}
int g_untitledCount = 0;

constexpr int kSaveModifiedPrompt = 61699; // "Save changes to %1?"
constexpr int kWriteChunk = 4096;

// Shows a failure of the data layer by its message id (or its trace).
void ShowException(const CTavoCPSException &e)
{
    if (e.m_nMsgID != 0 && HasString(e.m_nMsgID))
        ShowMessage(e.m_nMsgID, MB_OK | MB_ICONERROR);
    else
        ShowMessageText(e.m_strMessage, MB_OK | MB_ICONERROR);
}

QString ElementName(const CDataItem &item) { return item.IsEmpty() ? QString() : item.NodeName(); }

} // namespace

QByteArray ProfileFileBytes(const QString &xml) { return EncodeScrambledUtf16(xml); }

CTavoCPSDoc::CTavoCPSDoc(QObject *parent) : QObject(parent) {}

void CTavoCPSDoc::NameUntitled()
{
    // Only a profile without a file takes a number: an Open does not use one.
    if (m_strUntitled.isEmpty())
        m_strUntitled = QStringLiteral("Profile%1").arg(++g_untitledCount);
}

CTavoCPSDoc::~CTavoCPSDoc() = default;

QString CTavoCPSDoc::GetTitle() const
{
    return m_strPathName.isEmpty() ? m_strUntitled : QFileInfo(m_strPathName).fileName();
}

void CTavoCPSDoc::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

bool CTavoCPSDoc::LoadText(const QString &text, const QString &path)
{
    try {
        if (!m_model.LoadProfile(text, 0))
            return false;
    } catch (const CTavoCPSException &e) {
        ShowException(e);
        return false;
    }
    m_strPathName = path;
    return true;
}

bool CTavoCPSDoc::OnNewDocument(const QString &templatePath)
{
    try {
        if (!m_model.LoadProfile(templatePath, 1))
            return false;
    } catch (const CTavoCPSException &e) {
        ShowException(e);
        return false;
    }
    m_strPathName.clear();
    NameUntitled();
    SetModifiedFlag(false);
    return true;
}

bool CTavoCPSDoc::OnNewDocumentFromRadio(VirtualCP &image)
{
    try {
        m_strProfileText.clear();
        if (!CDataAdaptor::VirtualCP2XML(image, m_strProfileText))
            return false;
        CDataItem::ProcessChannelName(m_strProfileText);
    } catch (const CTavoCPSException &e) {
        ShowException(e);
        return false;
    }
    if (!LoadText(m_strProfileText, QString()))
        return false;
    NameUntitled();
    SetModifiedFlag(true);
    return true;
}

bool CTavoCPSDoc::OnOpenDocument(const QString &path)
{
    try {
        if (!LoadProfileFile(path, m_strProfileText)) {
            ShowMessageText(QStringLiteral("%1\n%2").arg(LoadString(136), QDir::toNativeSeparators(path)),
                            MB_OK | MB_ICONERROR);
            return false;
        }
    } catch (const CTavoCPSException &e) {
        ShowException(e);
        return false;
    }
    if (!LoadText(m_strProfileText, QFileInfo(path).absoluteFilePath()))
        return false;
    SetModifiedFlag(false);
    emit pathChanged(m_strPathName);
    return true;
}

// A radio without the repeater feature transmits on its receive settings:
// the profile says so before it is saved or converted.
static void TransmitFollowsReceiveWithoutRepeater(const CDataItem &root)
{
    CDataItem limit;
    root.GetChildByName(QStringLiteral("limit"), limit);
    if (limit.GetInt(QStringLiteral("disable_repeater_feature")) != 0) {
        CDataItem channels;
        root.GetChildByName(QStringLiteral("channels"), channels);
        channels.CopyReceiveToTransmit();
    }
}

bool CTavoCPSDoc::OnSaveDocument(const QString &path)
{
    QString xml;
    try {
        TransmitFollowsReceiveWithoutRepeater(Root());
        xml = m_model.GetXmlText();
    } catch (const CTavoCPSException &e) {
        ShowException(e);
        return false;
    }
    const QByteArray bytes = ProfileFileBytes(xml);

    // Written beside the old file and renamed over it only when complete:
    // an interrupted save leaves the old profile as it was, a failed Save
    // As leaves nothing behind.
    const std::function<bool(qint64)> interruption = WriteInterruption().Get();
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    for (qint64 at = 0; ok && at < bytes.size(); at += kWriteChunk) {
        const qint64 n = qMin<qint64>(kWriteChunk, bytes.size() - at);
        ok = file.write(bytes.constData() + at, n) == n;
        if (ok && interruption && !interruption(at + n))
            ok = false;
    }
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (!ok) {
        ShowMessageText(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), file.errorString()),
                        MB_OK | MB_ICONERROR);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CTavoCPSDoc::DoSave(const QString &pathIn, bool replace)
{
    if (!CommitChanges())
        return false;
    try {
        if (!CheckFrequencies(Root())) {
            ShowMessage(511, MB_OK | MB_ICONWARNING);
            return false;
        }
    } catch (const CTavoCPSException &e) {
        ShowException(e);
        return false;
    }
    QString path = pathIn;
    if (path.isEmpty()) {
        QString proposed = m_strPathName;
        if (proposed.isEmpty()) {
            proposed = GetTitle();
            const int cut = proposed.indexOf(QRegularExpression(QStringLiteral("[:/\\\\]")));
            if (cut >= 0)
                proposed.truncate(cut);
            proposed += QStringLiteral(".kp2");
        }
        path = CFileDialogs::GetSaveProfileName(nullptr, proposed);
        if (path.isEmpty())
            return false;
    }
    if (QApplication::instance() && qobject_cast<QApplication *>(QApplication::instance()))
        QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = OnSaveDocument(path);
    if (qobject_cast<QApplication *>(QApplication::instance()))
        QApplication::restoreOverrideCursor();
    if (ok && replace) {
        m_strPathName = QFileInfo(path).absoluteFilePath();
        emit pathChanged(m_strPathName);
    }
    return ok;
}

bool CTavoCPSDoc::SaveModified()
{
    if (!m_bModified)
        return true;
    const QString name = GetTitle();
    switch (ShowMessageText(LoadString(kSaveModifiedPrompt).arg(name), MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
        return DoSave(m_strPathName);
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool CTavoCPSDoc::SetVirtualCPData(VirtualCP &image)
{
    try {
        QString text;
        if (!CDataAdaptor::VirtualCP2XML(image, text))
            return false;
        CDataItem::ProcessChannelName(text);
        m_strProfileText = text;
        if (!m_model.LoadProfile(text, 0))
            return false;
    } catch (CTavoCPSException &e) {
        RethrowCPSException(e, "CTavoCPSDoc::SetVirtualCPData", __LINE__);
    }
    emit childrenChanged(nullptr, QString());
    return true;
}

bool CTavoCPSDoc::GetVirtualCPData(VirtualCP &image)
{
    try {
        TransmitFollowsReceiveWithoutRepeater(Root());
        return CDataAdaptor::XML2VirtualCP(m_model.GetXmlText(), image);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Caught"), "CTavoCPSDoc::GetVirtualCPData", __LINE__);
        throw;
    }
}

RuleResult CTavoCPSDoc::SetAttribute(CDataItem &item, const QString &attribute, const QVariant &value, QObject *origin)
{
    const RuleResult r = RunRuleChange([&](int answer, int &msgId, int &msgStyle) {
        return item.SetAttributeValue(attribute, value, msgId, answer, msgStyle);
    });
    if (r.code == RuleResult::Done) {
        SetModifiedFlag(true);
        emit attributeChanged(origin, ElementName(item), attribute);
    }
    return r;
}

bool CTavoCPSDoc::AddChild(CDataItem &parent, CDataItem &added, QObject *origin)
{
    if (!parent.CanAddChild() || !parent.AddNewChild(added))
        return false;
    SetModifiedFlag(true);
    emit childrenChanged(origin, ElementName(parent));
    return true;
}

RuleResult CTavoCPSDoc::RemoveChild(CDataItem &parent, int index, QObject *origin)
{
    const RuleResult r = RunRuleChange([&](int answer, int &msgId, int &msgStyle) {
        return parent.RemoveChildByIndex(index, msgId, answer, msgStyle);
    });
    if (r.code == RuleResult::Done) {
        SetModifiedFlag(true);
        emit childrenChanged(origin, ElementName(parent));
    }
    return r;
}

ChirpImportReport CTavoCPSDoc::ImportChirpCsv(const QByteArray &csv)
{
    ChirpImportReport report;
    try {
        report = tavo::ImportChirpCsv(m_model, csv);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Caught"), "CTavoCPSDoc::ImportChirpCsv", __LINE__);
        throw;
    }
    if (report.imported > 0) {
        SetModifiedFlag(true);
        emit childrenChanged(nullptr, QStringLiteral("channels"));
    }
    return report;
}

void CTavoCPSDoc::ShowRefusal(const RuleResult &result, int fallbackMsgId)
{
    const int id = result.msgId != 0 ? result.msgId : fallbackMsgId;
    const unsigned style = result.msgStyle != 0 ? unsigned(result.msgStyle) : unsigned(MB_OK | MB_ICONWARNING);
    ShowMessage(id, style);
}

void CTavoCPSDoc::UpdateAllViews(QObject *origin, int hint) { emit viewsUpdated(origin, hint); }

void CTavoCPSDoc::SetWriteInterruption(std::function<bool(qint64)> check) { WriteInterruption().Set(std::move(check)); }

} // namespace tavo
