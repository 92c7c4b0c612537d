#include "workflow/CTavoCPSDoc.h"

#include "base/AtomicFile.h"
#include "base/CTavoCPSException.h"
#include "base/ProfileNames.h"
#include "base/TemplateFile.h"
#include "codeplug/VirtualCP.h"
#include "profile/CDataAdaptor.h"
#include "profile/ProfileChecks.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"
#include "resources/StringTable.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QAbstractEventDispatcher>

#include <algorithm>

namespace tavo {

namespace {

int g_untitledCount = 0;

constexpr int kSaveModifiedPrompt = 61699; // "Save changes to %1?"

QString ElementName(const CDataItem &item) { return item.IsEmpty() ? QString() : item.NodeName(); }

// The name of an attribute change in the Edit menu, by element and
// attribute (an empty attribute: any other of the element).
struct StepCaption {
    const char *element;
    const char *attribute;
    int captionId;
};
const StepCaption kStepCaptions[] = {
    {names::kChannel, names::kName, msg::StepRenameChannel},
    {names::kChannel, names::kInScanList, msg::StepChangeScanList},
    {names::kChannel, "", msg::StepChangeChannel},
    {names::kPreset, "", msg::StepChangeButton},
    {names::kFrequency, "", msg::StepChangeFrequency},
};

int CaptionOf(const QString &element, const QString &attribute)
{
    for (const StepCaption &c : kStepCaptions)
        if (element == QLatin1String(c.element) && (!*c.attribute || attribute == QLatin1String(c.attribute)))
            return c.captionId;
    return msg::StepChangeSetting;
}

// Consecutive changes of one attribute of one node from one window merge.
MergeKey KeyOf(const CDataItem &item, const QString &attribute, const QObject *origin)
{
    return MergeKey{item.m_spNode.node, attribute, origin};
}

} // namespace

QByteArray ProfileFileBytes(const QString &xml) { return EncodeScrambledUtf16(xml); }

CTavoCPSDoc::CTavoCPSDoc(IDocumentHost *host, QObject *parent) : QObject(parent), m_pHost(host) {}

void CTavoCPSDoc::NameUntitled()
{
    // Only a profile without a file takes a number: an Open does not use one.
    if (m_strUntitled.isEmpty())
        m_strUntitled = LoadString(msg::UntitledProfile).arg(++g_untitledCount); // "Profile1", "Profil1"
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

void CTavoCPSDoc::ResetHistory(bool modified)
{
    m_bAdjusted = false;
    TextChanged();
    m_undo.Clear();
    if (modified)
        m_undo.LoseCleanState(); // a profile with no file: no saved state to return to
    SetModifiedFlag(modified);
    NotifyUndoState(true);
}

void CTavoCPSDoc::ApplyModelAdjustments()
{
    if (m_bAdjusted || Root().IsEmpty())
        return;
    m_bAdjusted = true;
    CDataItem root = Root();
    ClearRepeaterDisableForVariant(root);
    SetNonDisplaySpecificInfo(root);
    ApplyModelVariantDefaults(root);
    // What the pages would otherwise correct each time they are shown
    // (buttons holding features their model does not show, a repeater on
    // one frequency) is corrected here once. A template or a radio's image
    // comes out clean; a profile file that needed it is saved with it
    // (marked modified, and no Undo returns to an unmodified state).
    bool corrected = ReleaseHiddenButtonFeatures(root);
    corrected = ReleaseUnofferedButtonFeatures(root) || corrected;
    corrected = ClearImpossibleRepeaters(root) || corrected;
    if (corrected && !m_strPathName.isEmpty()) {
        m_undo.LoseCleanState();
        SetModifiedFlag(true);
    }
    TextChanged();
}

bool CTavoCPSDoc::LoadText(const QString &text, const QString &path)
{
    try {
        if (!m_model.LoadProfile(text, 0))
            return false;
    } catch (const CTavoCPSException &e) {
        ShowFailure(e);
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
        ShowFailure(e);
        return false;
    }
    m_strPathName.clear();
    m_file = ProfileFile();
    m_disk = FileStamp();
    NameUntitled();
    ResetHistory(false);
    return true;
}

bool CTavoCPSDoc::OnNewDocumentFromRadio(VirtualCP &image)
{
    QString text;
    try {
        if (!CDataAdaptor::VirtualCP2XML(image, text))
            return false;
        CDataItem::ProcessChannelName(text);
    } catch (const CTavoCPSException &e) {
        ShowFailure(e);
        return false;
    }
    if (!LoadText(text, QString()))
        return false;
    m_file = ProfileFile();
    m_disk = FileStamp();
    NameUntitled();
    ResetHistory(true);
    return true;
}

bool CTavoCPSDoc::OnOpenDocument(const QString &path)
{
    ProfileFile file;
    QString error;
    if (!ReadProfileFile(path, file, error)) {
        ShowMessageText(QStringLiteral("%1\n%2").arg(LoadString(msg::FailedToLoadProfile), QDir::toNativeSeparators(path)), MB_OK | MB_ICONERROR);
        return false;
    }
    try {
        return OpenProfileFile(file);
    } catch (const CTavoCPSException &e) {
        ShowFailure(e);
        return false;
    }
}

bool CTavoCPSDoc::OpenProfileFile(const ProfileFile &file)
{
    // A loading error names the file (a stream has none to name).
    if (!(file.stream ? m_model.LoadProfile(file.text, 0) : m_model.LoadProfileText(file.text, file.path)))
        return false;
    m_file = file;
    m_strPathName = file.stream ? file.path : QFileInfo(file.path).absoluteFilePath();
    m_disk = file.stream ? FileStamp() : file.stamp;
    ResetHistory(false);
    emit pathChanged(m_strPathName);
    return true;
}

bool CTavoCPSDoc::ExportChirpCsv(QByteArray &csv, QString &error, QStringList *lost) const
{
    // Refused as every output is when the profile does not validate; the
    // channel plan itself is read from the open profile, whose effective
    // values are what the output step writes.
    QString text;
    if (!m_model.PrepareForOutput(text, error))
        return false;
    csv = tavo::ExportChirpCsv(m_model, lost);
    return true;
}

bool CTavoCPSDoc::SavedBytes(QByteArray &bytes, QString &error) const
{
    QString xml;
    return m_model.PrepareForOutput(xml, error) && ProfileBytesLike(m_file, xml, bytes, error);
}

bool CTavoCPSDoc::OnSaveDocument(const QString &path)
{
    QString xml, error;
    if (!m_model.PrepareForOutput(xml, error)) {
        ShowMessageText(error, MB_OK | MB_ICONERROR);
        return false;
    }
    bool ok = false;
    const bool sameFile = !m_file.path.isEmpty() && QFileInfo(m_file.path).absoluteFilePath() == QFileInfo(path).absoluteFilePath();
    QByteArray bytes = ProfileFileBytes(xml);
    if (sameFile)
        ok = SaveProfileFile(m_file, xml, error); // the form the file was read in
    else
        ok = WriteFileAtomically(path, bytes, error);
    if (!ok) {
        // What failed and why: "Cannot write PATH: CAUSE" from the writer.
        ShowMessageText(LoadString(msg::ProfileNotSaved).arg(error), MB_OK | MB_ICONERROR);
        return false;
    }
    m_undo.SetClean();
    SetModifiedFlag(false);
    NotifyUndoState(true);
    return true;
}

bool CTavoCPSDoc::DoSave(const QString &pathIn, bool replace)
{
    if (!CommitChanges())
        return false;
    try {
        if (!CheckFrequencies(Root())) {
            ShowMessage(msg::ChannelFrequencyOutOfRange, MB_OK | MB_ICONWARNING);
            return false;
        }
    } catch (const CTavoCPSException &e) {
        ShowFailure(e);
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
        path = m_pHost ? m_pHost->AskSavePath(proposed) : QString();
        if (path.isEmpty())
            return false;
    }
    // Saving over the profile's own file: still the file it was read from
    // (or last saved to)? Another program may have saved it since.
    if (replace && !m_strPathName.isEmpty() && QFileInfo(path).absoluteFilePath() == m_strPathName
        && m_disk.ChangedIn(FileStamp::Of(m_strPathName))) {
        const QString question = LoadString(msg::FileChangedOnDisk).arg(QDir::toNativeSeparators(m_strPathName));
        switch (ShowMessageText(question, MB_YESNOCANCEL | MB_ICONWARNING)) {
        case IDYES:
            break; // overwrite
        case IDNO:
            return DoSave(QString(), replace); // another file
        default:
            return false;
        }
    }
    if (m_pHost)
        m_pHost->BeginBusy();
    const bool ok = OnSaveDocument(path);
    if (m_pHost)
        m_pHost->EndBusy();
    if (ok && replace) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (absolute != QFileInfo(m_file.path).absoluteFilePath())
            m_file = ProfileFile(); // written in the standard form now
        m_strPathName = absolute;
        m_disk = FileStamp::Of(m_strPathName); // what this save left there
        emit pathChanged(m_strPathName);
    }
    return ok;
}

bool CTavoCPSDoc::SaveModified()
{
    // What is typed but not yet committed counts as a change: committed
    // first (a refusal keeps the profile open), then asked about.
    if (!CommitChanges())
        return false;
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
        if (!m_model.LoadProfile(text, 0))
            return false;
    } catch (CTavoCPSException &e) {
        RethrowCPSException(e, "CTavoCPSDoc::SetVirtualCPData", __LINE__);
    }
    // A radio's contents: nothing of the old profile to go back to.
    ResetHistory(true);
    emit profileReloaded(EditLocation());
    return true;
}

bool CTavoCPSDoc::GetVirtualCPData(VirtualCP &image)
{
    try {
        QString text, error;
        if (!m_model.PrepareForOutput(text, error))
            ThrowCPSException(msg::InvalidProfile, error, "CTavoCPSDoc::GetVirtualCPData", __LINE__);
        return CDataAdaptor::XML2VirtualCP(text, image);
    } catch (CTavoCPSException &e) {
        e.AddTrace(QStringLiteral("Exception Caught"), "CTavoCPSDoc::GetVirtualCPData", __LINE__);
        throw;
    }
}

// ---- changes and their Undo steps

void CTavoCPSDoc::Before()
{
    if (m_bUndoEnabled && m_nGroupDepth == 0)
        m_textBefore = CurrentText();
    // Whatever the change does (even when it fails halfway), the text kept
    // so far is no longer the profile's.
    TextChanged();
}

QByteArray CTavoCPSDoc::CurrentText()
{
    if (!m_bCurrentKnown)
        KnowText(m_model.GetXmlBytes());
    return m_textCurrent;
}

void CTavoCPSDoc::KnowText(QByteArray text)
{
    m_textCurrent = std::move(text);
    m_bCurrentKnown = true;
}

void CTavoCPSDoc::TextChanged()
{
    m_bCurrentKnown = false;
    m_textCurrent.clear();
    if (m_bWatchingIdle || !m_bUndoEnabled)
        return;
    // Once per document: the event loop says when it is about to wait, so
    // an edit itself schedules nothing (a timer started per edit cost the
    // edit a timer registration). Without an event loop (the command line)
    // the text is taken by the next change itself.
    if (QAbstractEventDispatcher *loop = QAbstractEventDispatcher::instance(thread())) {
        connect(loop, &QAbstractEventDispatcher::aboutToBlock, this, &CTavoCPSDoc::TakeTextWhileIdle);
        m_bWatchingIdle = true;
    }
}

void CTavoCPSDoc::TakeTextWhileIdle()
{
    if (m_bUndoEnabled && !m_bCurrentKnown && !Root().IsEmpty())
        KnowText(m_model.GetXmlBytes());
}

void CTavoCPSDoc::NotifyUndoState(bool always)
{
    const std::pair<int, int> shown(m_undo.UndoCaption(), m_undo.RedoCaption());
    if (!always && shown == m_undoShown)
        return;
    m_undoShown = shown;
    emit undoStateChanged();
}

void CTavoCPSDoc::Accepted(int captionId, MergeKey mergeKey)
{
    SetModifiedFlag(true);
    if (!m_bUndoEnabled)
        return;
    if (m_nGroupDepth > 0) {
        m_bGroupAccepted = true;
        return;
    }
    UndoStep step;
    step.captionId = captionId;
    step.before = std::move(m_textBefore);
    step.mergeKey = std::move(mergeKey);
    // A step that joins the last one keeps that one's place.
    if (m_locate && !m_undo.Merges(step.mergeKey))
        step.where = m_locate();
    m_undo.Push(std::move(step));
    NotifyUndoState();
}

void CTavoCPSDoc::BeginStep(int captionId)
{
    if (m_nGroupDepth == 0) {
        Before();
        m_nGroupCaption = captionId;
        m_bGroupAccepted = false;
        m_groupWhere = m_locate ? m_locate() : EditLocation();
    }
    ++m_nGroupDepth;
}

void CTavoCPSDoc::EndStep()
{
    if (m_nGroupDepth == 0 || --m_nGroupDepth > 0)
        return;
    if (!m_bGroupAccepted || !m_bUndoEnabled)
        return;
    UndoStep step;
    step.captionId = m_nGroupCaption;
    step.before = std::move(m_textBefore);
    step.where = m_groupWhere;
    m_undo.Push(std::move(step));
    NotifyUndoState();
}

RuleResult CTavoCPSDoc::SetAttribute(CDataItem &item, const QString &attribute, const QVariant &value, QObject *origin,
                                     const StepKind &kind)
{
    // A value that is already stored changes nothing: no step, not modified.
    try {
        if (!item.IsEmpty() && value.isValid() && item.GetText(attribute) == value.toString())
            return RuleResult{};
    } catch (const CTavoCPSException &) {
        // not stored yet: the rules decide
    }
    Before();
    const RuleResult r = RunRuleChange([&](int answer, int &msgId, int &msgStyle) {
        return item.SetAttributeValue(attribute, value, msgId, answer, msgStyle);
    }, m_report);
    TextChanged();
    if (r.code == RuleResult::Done) {
        const QString element = ElementName(item);
        const int caption = kind.captionId != 0 ? kind.captionId : CaptionOf(element, attribute);
        // Only typing merges: each choice from a list is a step of its own.
        Accepted(caption, m_bUndoEnabled && kind.typed ? KeyOf(item, attribute, origin) : MergeKey());
        emit attributeChanged(origin, element, attribute);
    }
    return r;
}

bool CTavoCPSDoc::AddChild(CDataItem &parent, CDataItem &added, QObject *origin)
{
    Before();
    const bool added_ = parent.CanAddChild() && parent.AddNewChild(added);
    TextChanged();
    if (!added_)
        return false;
    Accepted(msg::StepAddChannel);
    emit childrenChanged(origin, ElementName(parent));
    return true;
}

RuleResult CTavoCPSDoc::RemoveChild(CDataItem &parent, int index, QObject *origin)
{
    Before();
    const RuleResult r = RunRuleChange([&](int answer, int &msgId, int &msgStyle) {
        return parent.RemoveChildByIndex(index, msgId, answer, msgStyle);
    }, m_report);
    TextChanged();
    if (r.code == RuleResult::Done) {
        const QString element = ElementName(parent);
        Accepted(element == names::kFrequencies ? msg::StepDeleteFrequency : msg::StepDeleteChannel);
        emit childrenChanged(origin, element);
    }
    return r;
}

RuleResult CTavoCPSDoc::AddFrequency(quint32 hz, int bandwidth, int power, QObject *origin)
{
    Before();
    CDataItem frequencies = Root().ChildByName(names::kFrequencies);
    RuleResult r;
    const bool accepted = frequencies.AddFrequency(hz, unsigned(bandwidth), unsigned(power), r.msgId, r.msgStyle);
    TextChanged();
    if (!accepted) {
        r.code = RuleResult::Refused;
        return r;
    }
    Accepted(msg::StepAddFrequency);
    emit childrenChanged(origin, names::kFrequencies);
    return r;
}

RuleResult CTavoCPSDoc::SetFrequency(int index, quint32 hz, int bandwidth, int power, int compander, QObject *origin)
{
    Before();
    CDataItem frequencies = Root().ChildByName(names::kFrequencies);
    const RuleResult r = RunRuleChange([&](int answer, int &msgId, int &msgStyle) {
        return frequencies.SetFreqAttributeValue(QVariant(hz), QVariant(bandwidth), QVariant(power), QVariant(compander),
                                                 QVariant(qint32(index)), msgId, msgStyle, answer);
    }, m_report);
    TextChanged();
    if (r.code == RuleResult::Done) {
        Accepted(msg::StepChangeFrequency);
        emit attributeChanged(origin, names::kFrequency, names::kFreq);
    }
    return r;
}

int CTavoCPSDoc::DeleteFrequencies(std::vector<int> rows, const std::function<void(const RuleResult &)> &refused,
                                   QObject *origin)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    CDataItem frequencies = Root().ChildByName(names::kFrequencies);
    int removed = 0;
    CEditStep step(this, msg::StepDeleteFrequency);
    for (int row : rows) {
        const RuleResult r = RemoveChild(frequencies, row - removed, origin);
        if (r.code == RuleResult::Done)
            ++removed;
        else if (refused)
            refused(r);
    }
    return removed;
}

ChirpImportReport CTavoCPSDoc::ImportChirpCsv(const QByteArray &csv, ChirpPlacement placement)
{
    ChirpImportReport report;
    BeginStep(msg::StepImportCsv);
    try {
        report = tavo::ImportChirpCsv(m_model, csv, placement);
        TextChanged();
    } catch (CTavoCPSException &e) {
        TextChanged();
        m_bGroupAccepted = true; // rows before the failure may have been taken
        EndStep();
        SetModifiedFlag(true);
        emit profileReloaded(EditLocation{5, 0, QString()});
        e.AddTrace(QStringLiteral("Exception Caught"), "CTavoCPSDoc::ImportChirpCsv", __LINE__);
        throw;
    }
    if (report.imported > 0) {
        m_bGroupAccepted = true;
        SetModifiedFlag(true);
    }
    EndStep();
    if (report.imported > 0)
        emit profileReloaded(EditLocation{5, 0, QString()});
    return report;
}

void CTavoCPSDoc::ShowFailure(const CTavoCPSException &e)
{
    if (FailureMessageId(e, 0))
        ShowMessageText(FailureText(e), MB_OK | MB_ICONERROR);
    else
        ShowMessageText(e.m_strMessage, MB_OK | MB_ICONERROR);
}

void CTavoCPSDoc::ShowFailure(const CTavoCPSException &e, int fallbackMsgId)
{
    ShowMessage(FailureMessageId(e, fallbackMsgId), MB_OK | MB_ICONERROR);
}

void CTavoCPSDoc::ShowRefusal(const RuleResult &result, int fallbackMsgId)
{
    const int id = result.msgId != 0 ? result.msgId : fallbackMsgId;
    const unsigned style = result.msgStyle != 0 ? unsigned(result.msgStyle) : unsigned(MB_OK | MB_ICONWARNING);
    ShowMessage(id, style);
}

// ---- Undo and Redo

QString CTavoCPSDoc::UndoText() const
{
    const int caption = m_undo.UndoCaption();
    return caption ? LoadString(msg::UndoMenuStep).arg(LoadString(caption)) : LoadString(msg::UndoMenu);
}

QString CTavoCPSDoc::RedoText() const
{
    const int caption = m_undo.RedoCaption();
    return caption ? LoadString(msg::RedoMenuStep).arg(LoadString(caption)) : LoadString(msg::RedoMenu);
}

bool CTavoCPSDoc::Reload(const QByteArray &text)
{
    TextChanged();
    try {
        return m_model.ReloadProfile(QString::fromUtf8(text)) == 1;
    } catch (const CTavoCPSException &e) {
        ShowFailure(e);
        return false;
    }
}

void CTavoCPSDoc::AfterUndoRedo(const EditLocation &where)
{
    SetModifiedFlag(!m_undo.IsClean());
    NotifyUndoState(true);
    emit profileReloaded(where);
}

bool CTavoCPSDoc::Undo()
{
    UndoStep *step = m_undo.NextUndo();
    if (!step || m_nGroupDepth > 0)
        return false;
    const QByteArray current = CurrentText();
    if (!Reload(step->before))
        return false;
    step->after = current;
    KnowText(step->before);
    const EditLocation where = step->where;
    m_undo.MoveBack();
    AfterUndoRedo(where);
    return true;
}

bool CTavoCPSDoc::Redo()
{
    UndoStep *step = m_undo.NextRedo();
    if (!step || m_nGroupDepth > 0 || step->after.isEmpty())
        return false;
    if (!Reload(step->after))
        return false;
    KnowText(step->after);
    const EditLocation where = step->where;
    m_undo.MoveForward();
    AfterUndoRedo(where);
    return true;
}

void CTavoCPSDoc::UpdateAllViews(QObject *origin, int hint) { emit viewsUpdated(origin, hint); }


} // namespace tavo
