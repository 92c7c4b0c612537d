#pragma once
// One open profile: its data model, its file, its modified flag and its
// Undo/Redo steps. Every change that a front end makes goes through the
// document, which puts it to the rules (refused: the rules' message;
// confirm: the question and the repeated call), records it for Undo and
// then tells every window of the profile what changed. Nothing else writes
// the profile. The GUI and the command line use the same document; what a
// front end adds (where a Save As goes, the busy indication) comes through
// IDocumentHost, every message through the message sink.

#include "profile/CRadioDataModel.h"
#include "workflow/CUndoStack.h"
#include "workflow/ChirpCsv.h"
#include "workflow/ProfileFiles.h"
#include "workflow/RuleChange.h"

#include <QObject>
#include <QString>
#include <functional>
#include <utility>
#include <vector>


namespace tavo {

class CTavoCPSException;
struct VirtualCP;

// What a front end provides to its documents.
class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    // The path a Save As writes to, `proposed` offered; empty: cancelled.
    virtual QString AskSavePath(const QString &proposed) = 0;
    // Around a save (the GUI shows the wait cursor).
    virtual void BeginBusy() {}
    virtual void EndBusy() {}
};

// How a change is recorded for Undo: the name of its kind of change in
// the Edit menu (0: named by the element and attribute changed), and
// whether it comes from typing in a field (consecutive typed changes of
// one attribute from one window make one step; choices never merge).
struct StepKind {
    int captionId = 0;
    bool typed = false;
};

class CTavoCPSDoc : public QObject {
    Q_OBJECT
public:
    // `host` may be null: Save As is then refused (nothing asked).
    explicit CTavoCPSDoc(IDocumentHost *host = nullptr, QObject *parent = nullptr);
    ~CTavoCPSDoc() override;

    // ---- creating and opening (false: nothing loaded, the reason shown)
    // A new profile from a template file.
    bool OnNewDocument(const QString &templatePath);
    // A new profile from a codeplug image read from a radio: it has no file
    // yet, so it starts modified.
    bool OnNewDocumentFromRadio(VirtualCP &image);
    // Opens a profile file (any stored form).
    bool OnOpenDocument(const QString &path);
    // Opens a profile file its caller has read already; a later Save to the
    // same path writes it back in the form it was read in. False when not
    // loaded (a missing installation file has been shown); an invalid
    // profile raises CTavoCPSException (OnOpenDocument shows it).
    bool OpenProfileFile(const ProfileFile &file);

    // The adjustments a model variant needs once a profile is open (the
    // rotary 4/5 W variant's repeater and display entries, the variant
    // defaults), put to the rules once per opened profile; part of opening,
    // not a change to undo.
    void ApplyModelAdjustments();

    // ---- saving
    // Save (path = current path) or Save As (empty path: the host asks).
    // Runs `commit` first (the pending edits of the windows), then the
    // channel-frequency range check (511). Saving over the profile's own
    // file when another program has saved it since asks first: Yes
    // overwrites, No saves as another file, Cancel does not save. On
    // success with `replace` the path becomes the document's path.
    bool DoSave(const QString &path, bool replace = true);
    // Writes the profile file from PrepareForOutput's text through the one
    // atomic writer: back to the file it was read from in that file's form,
    // anywhere else as BOM, UTF-16LE, scrambled. A profile that does not
    // validate is refused with the loading error and nothing is written.
    bool OnSaveDocument(const QString &path);
    // A profile read from a stream has no file to save back to; its bytes,
    // in the form it came in (as OnSaveDocument would write them to its
    // file), go wherever the caller sends them.
    bool ReadFromStream() const { return m_file.stream; }
    bool SavedBytes(QByteArray &bytes, QString &error) const;
    // Before a profile closes: the windows' pending edits are committed
    // (false when refused), then, when modified, Yes saves (false when that
    // fails), No discards, Cancel stops the close.
    bool SaveModified();
    // Asked before every save and write (the windows' pending edits).
    void SetCommitHandler(std::function<bool()> commit) { m_commit = std::move(commit); }
    bool CommitChanges() const { return !m_commit || m_commit(); }

    // The one output step of every save, image and export, on a copy of
    // the profile: transmit follows receive on a radio without repeater,
    // then the text is validated. False with the reason in `error`.
    bool PrepareForOutput(QString &text, QString &error) const { return m_model.PrepareForOutput(text, error); }

    // The channel plan as CHIRP CSV, as the radio would hold it. False
    // with the reason in `error` when the profile does not validate.
    bool ExportChirpCsv(QByteArray &csv, QString &error, QStringList *lost = nullptr) const;

    // ---- radio transfers
    // Replaces the profile with an image read from a radio (raises
    // CTavoCPSException on a conversion failure); a fresh Undo history.
    bool SetVirtualCPData(VirtualCP &image);
    // Fills the image from the profile's output step before a write (raises
    // CTavoCPSException when the profile does not validate or convert).
    bool GetVirtualCPData(VirtualCP &image);

    // ---- state
    // Reading only: changes go through the operations below.
    const CRadioDataModel &Model() const { return m_model; }
    CRadioDataModel &Model() { return m_model; }
    CDataItem Root() const { return m_model.m_rootItem; }
    QString GetPathName() const { return m_strPathName; }
    QString GetTitle() const;
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    // ---- changes through the rules (each accepted one is an Undo step)
    // Sets one attribute. Done: marks modified and emits attributeChanged
    // (a value already stored is Done at once, with no step and no
    // change). Refused: nothing changes; the caller shows the refusal
    // (ShowRefusal).
    RuleResult SetAttribute(CDataItem &item, const QString &attribute, const QVariant &value, QObject *origin = nullptr,
                            const StepKind &kind = StepKind());
    // Adds a child (a channel under channels); false when the rules add none.
    bool AddChild(CDataItem &parent, CDataItem &added, QObject *origin = nullptr);
    // Removes child `index` of `parent`, asking the rules' confirmation.
    RuleResult RemoveChild(CDataItem &parent, int index, QObject *origin = nullptr);
    // Adds an entry to the frequency table through the rules.
    RuleResult AddFrequency(quint32 hz, int bandwidth, int power, QObject *origin = nullptr);
    // Changes frequency table entry `index` through the rules (a question
    // of the rules is asked and the change repeated on Yes).
    RuleResult SetFrequency(int index, quint32 hz, int bandwidth, int power, int compander, QObject *origin = nullptr);
    // Removes the frequency table entries at `rows` (table positions, in
    // any order) that the rules let go, as one step; refusals go to
    // `refused`. Returns how many went.
    int DeleteFrequencies(std::vector<int> rows, const std::function<void(const RuleResult &)> &refused = {},
                          QObject *origin = nullptr);
    // Sees every answer of the rules to a change (the confirmation
    // included) as it comes; the command line prints them.
    void SetRuleReporter(std::function<void(const RuleResult &)> report) { m_report = std::move(report); }
    // The one way a failure of the data layer is shown: the message of its
    // id, or its trace text when the id names no message.
    static void ShowFailure(const CTavoCPSException &e);
    // The same for a command that has a message of its own for a failure
    // whose id names no message: `fallbackMsgId` instead of the trace.
    static void ShowFailure(const CTavoCPSException &e, int fallbackMsgId);
    // Shows the rules' message of a refusal, or `fallbackMsgId` when the
    // rules named none.
    static void ShowRefusal(const RuleResult &result, int fallbackMsgId);

    // Takes a CHIRP CSV channel plan into the profile, row by row through
    // the rules (a refused row changes nothing). When a row was taken the
    // profile is marked modified, it is one Undo step and the windows are
    // rebuilt once; showing the report is the caller's.
    ChirpImportReport ImportChirpCsv(const QByteArray &csv, ChirpPlacement placement = ChirpPlacement::ByLocation);

    // Several changes as one Undo step named `captionId` (a button reset,
    // a move in the scan list); steps nest, the outermost one counts.
    void BeginStep(int captionId);
    void EndStep();

    // ---- Undo and Redo
    bool CanUndo() const { return m_undo.CanUndo(); }
    bool CanRedo() const { return m_undo.CanRedo(); }
    // The captions of the Edit menu ("&Undo Rename Channel").
    QString UndoText() const;
    QString RedoText() const;
    // Reloads the profile as it was before (after) the step; the windows
    // are rebuilt at the step's location. False when there is none.
    bool Undo();
    bool Redo();
    // Where the front end is editing now; asked when a step is recorded.
    void SetLocator(std::function<EditLocation()> locate) { m_locate = std::move(locate); }
    const CUndoStack &UndoStack() const { return m_undo; }
    // Recording may be switched off (the benchmark's comparison).
    void SetUndoEnabled(bool enabled) { m_bUndoEnabled = enabled; }

    // Tells every window of the profile (hint: low byte an action, second
    // byte a page index, upper half a channel index).
    void UpdateAllViews(QObject *origin, int hint);


signals:
    void modifiedChanged(bool modified);
    void pathChanged(const QString &path);
    void attributeChanged(QObject *origin, const QString &element, const QString &attribute);
    void childrenChanged(QObject *origin, const QString &element);
    void viewsUpdated(QObject *origin, int hint);
    // The whole profile was replaced (a read from a radio, an import, Undo,
    // Redo): the windows rebuild once and show `where` (page -1: stay).
    void profileReloaded(const tavo::EditLocation &where);
    // The Undo/Redo state or captions changed.
    void undoStateChanged();

private:
    // Gives a profile without a file its "Profile<n>" name (once).
    void NameUntitled();
    bool LoadText(const QString &text, const QString &path);
    void ResetHistory(bool modified);
    // Before a change: the profile text the step would return to.
    void Before();
    // The profile text as it is now (kept from idle time when it can be).
    QByteArray CurrentText();
    // After any change: the kept text is stale; it is taken again when the
    // program is next idle, so that an edit does not wait for it.
    void TextChanged();
    // The event loop is about to wait: takes the text if it is stale.
    void TakeTextWhileIdle();
    void KnowText(QByteArray text);
    // After an accepted change: records the step (or marks the open group).
    void Accepted(int captionId, MergeKey mergeKey = MergeKey());
    // Tells the menus when what Undo and Redo show has changed (`always`:
    // whatever it is, after an open, a save or an Undo).
    void NotifyUndoState(bool always = false);
    bool Reload(const QByteArray &text);
    void AfterUndoRedo(const EditLocation &where);

    IDocumentHost *m_pHost;
    CRadioDataModel m_model;
    ProfileFile m_file; // the file the profile was read from, its form
    FileStamp m_disk;   // the profile's file as it was read or last saved
    QString m_strPathName;
    QString m_strUntitled;
    bool m_bModified = false;
    std::function<bool()> m_commit;
    std::function<void(const RuleResult &)> m_report;

    CUndoStack m_undo;
    std::function<EditLocation()> m_locate;
    bool m_bUndoEnabled = true;
    QByteArray m_textBefore;  // the text before the change under way
    QByteArray m_textCurrent; // the profile's text, when m_bCurrentKnown
    bool m_bCurrentKnown = false;
    bool m_bWatchingIdle = false; // TakeTextWhileIdle follows the event loop
    std::pair<int, int> m_undoShown{-1, -1}; // the Undo and Redo captions the menus were last told
    bool m_bAdjusted = false;
    int m_nGroupDepth = 0;
    int m_nGroupCaption = 0;
    bool m_bGroupAccepted = false;
    EditLocation m_groupWhere;
};

// Several changes of a document as one Undo step, for the life of the
// object (BeginStep/EndStep).
class CEditStep {
public:
    CEditStep(CTavoCPSDoc *doc, int captionId) : m_pDoc(doc)
    {
        if (m_pDoc)
            m_pDoc->BeginStep(captionId);
    }
    ~CEditStep()
    {
        if (m_pDoc)
            m_pDoc->EndStep();
    }
    CEditStep(const CEditStep &) = delete;
    CEditStep &operator=(const CEditStep &) = delete;

private:
    CTavoCPSDoc *m_pDoc;
};

// The profile file bytes of a text: BOM FF FE, UTF-16LE, scrambled.
QByteArray ProfileFileBytes(const QString &xml);

} // namespace tavo
