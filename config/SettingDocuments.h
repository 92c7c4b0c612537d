#pragma once
// The four setting documents of an installation ("VisibleSetting.stv",
// "ButtonList.stv", "Region.stv", "HelpPanMap.stv" in the folder "lib") and
// the queries the rest of the program makes against them. All elements are
// in the maker's namespace, addressed with the prefix dfns; every query is
// document-wide.
//
// The documents are loaded once at start-up and then only read, so the
// queries take no lock.

#include "base/XmlDom.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace tavo {

// File names of the setting documents and the folders they live in.
inline constexpr const char *kVisibleSettingFile = "VisibleSetting.stv";
inline constexpr const char *kButtonListFile = "ButtonList.stv";
inline constexpr const char *kRegionFile = "Region.stv";
inline constexpr const char *kHelpPanMapFile = "HelpPanMap.stv";
inline constexpr const char *kLibFolder = "lib";
inline constexpr const char *kReportFolder = "Report";

// Loads <install>/lib/<file> (inLib) or <install>/Report/<file>. A missing
// or unparsable file shows message 315 and gives null.
XmlDocPtr LoadSettingDoc(const QString &fileName, bool inLib);

// One entry of a button feature group.
struct ButtonFeature {
    QString m_strName;       // display text
    int m_nValue = 0;        // feature code
    QString m_strDependName; // a limit attribute, or "none"
    int m_nDependType = 0;   // 0 or 1 (any non-zero value reads as 1)
};

// One model of the product line, as the button-list document lists it.
struct ModelEntry {
    QString m_strCode;   // e.g. "OUD11602"
    QString m_strFamily; // e.g. "Olvan"
};

// The feature groups of a model section.
inline constexpr const char *kGroupCommon = "COMMON";
inline constexpr const char *kGroupDisplay = "DISPLAY";
inline constexpr const char *kGroupNonDisplay = "NONDISPLAY";
inline constexpr const char *kGroupPreButton = "PREBUTTON";

// True when the model's third character is "D" (any case).
bool IsDisplayModel(const QString &model);
// "Display" or "NonDisplay" (the section names of the visibility document).
QString DisplayTypeName(const QString &model);

class SettingDocuments {
public:
    enum Document { VisibleSetting = 0, ButtonList, Region, HelpPanMap, DocumentCount };

    // Loads the four documents in start-up order (VisibleSetting,
    // ButtonList, Region, HelpPanMap); false at the first that fails
    // (message 315 has been shown).
    bool LoadAll();
    // Start-up after loading: the edition match (message 315), the
    // sub-region list and the two region maps. False stops start-up.
    bool InitRegionData(const QString &edition);

    // Replaces one document (tests, or a document reloaded from text).
    void SetDocument(Document which, XmlDocPtr doc);
    xmlDoc *GetDocument(Document which) const { return m_docs[which].get(); }
    bool IsLoaded() const;

    // ---- Region.stv. A missing Region, ProductVersion or list element
    // raises CTavoCPSException (id 131).
    QString GetRegionName() const;
    QString GetProductVersion() const;
    int IsSupported(const QString &value) const; // 1 when listed in Support
    int GetCPVersion() const;                    // 1 when absent
    bool LoadModelRegions(QHash<int, QString> &map) const;
    bool LoadSubModelRegions(QHash<int, QString> &map) const;
    QStringList GetSupportLanguages() const;
    QString GetLanguageDisplayName(const QString &key) const; // " " when missing
    QStringList LoadSubRegions() const; // num of each SubRegion child

    // True when the phase is "D" or the installation handles `version`.
    bool IsCodeplugSupported(const QString &phase, int version) const;
    // 1 when the sub-region list is empty or holds `value` exactly.
    int IsSubRegionSupported(const QString &value) const;

    // ---- VisibleSetting.stv: the element children of the page's element
    // of this installation's region.
    std::vector<xmlNode *> GetVisibleSettingEntries(const QString &pageName) const;
    // The control ids the page lists for a display type, each with its
    // visibility (false when its entry has isVisible 0). A control not in
    // the map is hidden.
    QHash<int, bool> GetVisibleControls(const QString &pageName, bool display) const;

    // ---- HelpPanMap.stv: the help page of a control; no match leaves
    // `page` unchanged.
    void GetHelpPageName(const QString &pageName, const QString &controlId, QString &page) const;
    // The help page of a whole page: the page (no anchor) of the first
    // control listed under `pageName`; empty when the map lists none.
    QString GetPageHelpName(const QString &pageName) const;

    // ---- ButtonList.stv. A model section is named by the model code
    // without its region code (its first six characters).
    static QString ButtonSectionName(const QString &model);
    // The entries of one feature group in document order (comments skipped).
    std::vector<ButtonFeature> GetButtonFeatures(const QString &model, const QString &group) const;
    // The group that follows COMMON for this model's display type.
    static QString DisplayGroupName(const QString &model);
    // The picture file (in lib) that the IMAGE entry names for the model's
    // display type; empty when there is none.
    QString GetButtonImageFile(const QString &model) const;
    // Every model of the product line, in document order.
    std::vector<ModelEntry> GetModelList() const;
    // Replaces the English feature names with the current language's texts
    // (once per run; later calls do nothing).
    void LocalizeButtonFeatureNames();

    // ---- what the application keeps from start-up
    QString m_strRegionName;
    QStringList m_listSubRegions;
    QHash<int, QString> m_mapModelRegions;
    QHash<int, QString> m_mapSubModelRegions;

private:
    std::vector<xmlNode *> Select(Document which, const QString &xpath) const;
    xmlNode *RequireFirst(Document which, const QString &xpath, const char *function) const;

    XmlDocPtr m_docs[DocumentCount];
    bool m_bButtonNamesLocalized = false;
};

// The setting documents the application owns for the life of the process.
SettingDocuments &AppSettingDocuments();

} // namespace tavo
