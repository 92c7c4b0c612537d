#pragma once
// One open profile in memory: the DOM validated against the installed
// schema DataProfile.xsd, and the rule script DataProfile.lua running in an
// engine that is started on the first load and kept for the life of the
// model (script globals survive later loads). Everything reaches the profile
// through the root item.

#include "profile/CDataItem.h"
#include "profile/ProfileDocument.h"

#include <QString>
#include <memory>

namespace tavo {

struct CompiledSchema;

class CRadioDataModel {
public:
    CRadioDataModel();
    ~CRadioDataModel();
    CRadioDataModel(const CRadioDataModel &) = delete;
    CRadioDataModel &operator=(const CRadioDataModel &) = delete;

    // Loads a profile: `source` is a file path (read with the installed
    // text-file reader) when `fromFile` is non-zero, else the XML text.
    // 1 = loaded, 0 = not loaded (a missing installation file has been
    // shown; an unreadable profile file shows nothing). An invalid profile
    // raises CTavoCPSException 135 with the loading-error text; a failed
    // load keeps the previously loaded profile as it was.
    int LoadProfile(const QString &source, int fromFile);
    // Loads the text of a profile file its caller has read already: the
    // same as loading the file at `path`, without reading it again.
    int LoadProfileText(const QString &text, const QString &path);
    // Loads the text of an earlier state of the same profile (Undo, Redo)
    // with the rule engine started afresh, so that nothing the rules kept
    // from later edits makes it behave differently; the file the profile
    // came from stays its source. Results and failures as LoadProfile.
    int ReloadProfile(const QString &text);
    // Starts the rule engine; called by the first LoadProfile. 1 = ready,
    // 0 = the rule file is missing or empty (message 315 shown).
    int Initialize();

    // The whole XML text of the loaded profile (UTF-8 declaration).
    QString GetXmlText() const;
    // The same as the UTF-8 bytes it is written in.
    QByteArray GetXmlBytes() const;

    // The one output step that every save, image conversion and export
    // runs, on a copy of the profile (the loaded profile stays as it is):
    // on a radio without the repeater feature (limit
    // disable_repeater_feature) each channel's transmit settings take its
    // receive ones, then the text about to be written is validated against
    // the installed schema. True with that text in `text`; false with the
    // loading-error text (message 223 filled in) when it does not validate:
    // it must not be written then.
    bool PrepareForOutput(QString &text, QString &errorText) const;
    // The profile text as the radio uses it, for what shows or exports a
    // profile's channels (reports): on a copy, every channel that transmits
    // with its receive settings carries them as its transmit ones. Not
    // validated; the loaded profile stays as it is.
    QString GetEffectiveXmlText() const;

    CDataItem m_rootItem;
    tavo::ProfileDocumentPtr m_spDocument;
    tavo::ScriptHostPtr m_spScriptEngine;
    int m_bScriptReady = 0;

private:
    // `text` null: read from the file at `path`; `path` empty: no file.
    int LoadFrom(const QString &path, const QString *text);
    int LoadProfileGuarded(const QString &path, const QString *text);
    std::shared_ptr<const tavo::CompiledSchema> m_schema;
    QString m_strSource; // the file the profile was loaded from (path form)
};

// The installed rule and schema files.
QString RuleFilePath();
QString SchemaFilePath();
inline constexpr const char *kProfileTemplateFolder = "profiletemplate";
} // namespace tavo
