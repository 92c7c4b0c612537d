#pragma once
// One open profile: its data model, its file path and its modified flag.
// Every change that a window makes goes through the document, which puts it
// to the rules (refused: the rules' message; confirm: the question and the
// repeated call) and then tells every window of the profile what changed.
// Windows never write the profile themselves.

#include "profile/CRadioDataModel.h"
#include "workflow/ChirpCsv.h"
#include "workflow/RuleChange.h"

#include <QObject>
#include <QString>
#include <functional>

namespace tavo {

struct VirtualCP;

class CTavoCPSDoc : public QObject {
    Q_OBJECT
public:
    explicit CTavoCPSDoc(QObject *parent = nullptr);
    ~CTavoCPSDoc() override;

    // ---- creating and opening (false: nothing loaded, the reason shown)
    // A new profile from a template file.
    bool OnNewDocument(const QString &templatePath);
    // A new profile from a codeplug image read from a radio: it has no file
    // yet, so it starts modified.
    bool OnNewDocumentFromRadio(VirtualCP &image);
    // Opens a profile file (any stored form).
    bool OnOpenDocument(const QString &path);

    // ---- saving
    // Save (path = current path) or Save As (empty path: the save dialog).
    // Runs `commit` first (the pending edits of the windows), then the
    // channel-frequency range check (511). On success with `replace` the
    // path becomes the document's path.
    bool DoSave(const QString &path, bool replace = true);
    // Writes the profile file: transmit follows receive when the repeater
    // feature is disabled, then BOM, UTF-16LE, scrambled. The old file is
    // replaced only once the whole profile is written.
    bool OnSaveDocument(const QString &path);
    // Before a modified profile closes: Yes saves (false when that fails),
    // No discards, Cancel stops the close.
    bool SaveModified();
    // Asked before every save and write (the windows' pending edits).
    void SetCommitHandler(std::function<bool()> commit) { m_commit = std::move(commit); }
    bool CommitChanges() const { return !m_commit || m_commit(); }

    // ---- radio transfers
    // Replaces the profile with an image read from a radio (raises
    // CTavoCPSException on a conversion failure).
    bool SetVirtualCPData(VirtualCP &image);
    // Fills the image from the profile before a write.
    bool GetVirtualCPData(VirtualCP &image);

    // ---- state
    CRadioDataModel &Model() { return m_model; }
    CDataItem Root() const { return m_model.m_rootItem; }
    QString GetPathName() const { return m_strPathName; }
    QString GetTitle() const;
    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);
    QString ProfileText() const { return m_strProfileText; }

    // ---- changes through the rules
    // Sets one attribute. Done: marks modified and emits attributeChanged.
    // Refused: nothing changes; the caller shows the refusal (ShowRefusal).
    RuleResult SetAttribute(CDataItem &item, const QString &attribute, const QVariant &value, QObject *origin = nullptr);
    // Adds a child (a channel under channels); false when the rules add none.
    bool AddChild(CDataItem &parent, CDataItem &added, QObject *origin = nullptr);
    // Removes child `index` of `parent`, asking the rules' confirmation.
    RuleResult RemoveChild(CDataItem &parent, int index, QObject *origin = nullptr);
    // Shows the rules' message of a refusal, or `fallbackMsgId` when the
    // rules named none.
    static void ShowRefusal(const RuleResult &result, int fallbackMsgId);

    // Takes a CHIRP CSV channel plan into the profile, row by row through
    // the rules (a refused row changes nothing). When a row was taken the
    // profile is marked modified and the windows hear that the channels
    // changed; showing the report is the caller's.
    ChirpImportReport ImportChirpCsv(const QByteArray &csv);

    // Tells every window of the profile (hint: low byte an action, second
    // byte a page index, upper half a channel index).
    void UpdateAllViews(QObject *origin, int hint);

    // Test seam: called between the chunks of a profile file being written;
    // false interrupts the write as a failing disk would.
    static void SetWriteInterruption(std::function<bool(qint64 written)> check);

signals:
    void modifiedChanged(bool modified);
    void pathChanged(const QString &path);
    void attributeChanged(QObject *origin, const QString &element, const QString &attribute);
    void childrenChanged(QObject *origin, const QString &element);
    void viewsUpdated(QObject *origin, int hint);

private:
    // Gives a profile without a file its "Profile<n>" name (once).
    void NameUntitled();
    bool LoadText(const QString &text, const QString &path);

    CRadioDataModel m_model;
    QString m_strPathName;
    QString m_strProfileText;
    QString m_strUntitled;
    bool m_bModified = false;
    std::function<bool()> m_commit;
};

// The profile file bytes of a text: BOM FF FE, UTF-16LE, scrambled.
QByteArray ProfileFileBytes(const QString &xml);

} // namespace tavo
