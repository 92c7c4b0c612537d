#pragma once
// The common base of every editing page: a white scroll area holding the
// page's form. The page's layout table arranges the form's controls (the
// title bar across the page, the rows centred under it, paired left and
// right columns); the visible-setting document decides which controls the
// open model shows, and hidden rows close up. The base view also links the
// focused control to the help pane and runs the common editing cycle.

#include "views/LayoutTables.h"
#include "profile/CDataItem.h"
#include "workflow/CTavoCPSDoc.h"

#include <QFont>
#include <QHash>
#include <QPointer>
#include <QScrollArea>

#include <utility>
#include <vector>

class QGridLayout;
class QLabel;

namespace tavo {

struct PageRow;

class CTavoCPSDoc;
class CHelpView;

class CBaseView : public QScrollArea {
    Q_OBJECT
public:
    explicit CBaseView(int pageIndex, QWidget *parent = nullptr);
    ~CBaseView() override;

    // The set-up order of a page: the data references, then InitLayout
    // (fonts, LoadRes, LoadData).
    void OnInitialUpdate(CTavoCPSDoc *doc, int channelIndex);

    // Called before the page is left, the profile saved or a radio written;
    // false keeps the user on the page.
    virtual bool CommitChanges() { return true; }
    // A field that still holds a value the rules refused gets the stored
    // value back (what Undo does first); false when no field holds one.
    virtual bool RevertRefused() { return false; }
    // Whether a field holds such a value (Undo is offered for it).
    virtual bool HoldsRefused() const { return false; }
    // The name of the page's kind of change in the Edit menu (0: named by
    // what changed).
    int StepCaption() const;
    // Puts the focus, all text selected, on the entry that was refused
    // (`ctrlId`, or the page's own choice when 0).
    virtual void OnRefocusRequest(int ctrlId, int reason);
    // Fills the controls from the profile and applies visibility.
    virtual void LoadData() {}
    // The captions and list texts from the string table.
    virtual void LoadRes() {}
    // Fonts, then LoadRes, then LoadData.
    virtual void InitLayout();

    // Hides the controls that the visible-setting document does not show
    // for the open model; the layout closes the gaps.
    void ApplyVisibility(const QString &pageName);
    // Shows the help page of control `ctrlId` in the help pane; false when
    // the pane is not shown.
    bool ShowHelpTopic(int ctrlId);
    // Shows the page's own help topic (until a control takes the focus).
    bool ShowPageHelp();
    void SetHelpPane(CHelpView *pane);

    int PageIndex() const { return m_nPageIndex; }
    const PageLayoutInfo *PageInfo() const { return m_pPageInfo; }
    int ChannelIndex() const { return m_nChannelIndex; }
    // The control of the form with `ctrlId`; null when none.
    QWidget *Control(int ctrlId) const { return m_controls.value(ctrlId); }
    QWidget *Form() const { return m_pForm; }
    // The display type of the open model: "Display" or "NonDisplay".
    QString DisplayType() const;

    static QFont TitleFont();
    static QFont CaptionFont();

protected:
    // Takes the page's form (built by its .ui class): finds every control
    // by its ctrlId once and arranges them by the layout table.
    void SetForm(QWidget *form);
    // Adds a label and a control to `form` for each row whose control the
    // form lacks (a field the form was not drawn with), arranged below the
    // layout table's rows. Called before SetForm.
    void AddMissingRows(QWidget *form, const std::vector<PageRow> &rows);
    // What a refusal shows in ChangeAttribute besides a message id of the
    // page's own (the rules' message, else that id).
    enum : int {
        kCallerShowsRefusal = 0, // nothing: the page shows its own message
        kRulesMessageOnly = -1,  // the rules' message when they name one
    };
    // The common editing cycle of every page: the value goes through the
    // document (and so through the rules and into Undo); true when it was
    // accepted. A refusal shows what `refusedMsgId` says and returns false,
    // and the page then puts the stored value back; a failure of the data
    // layer is shown (CTavoCPSDoc::ShowFailure) and returns false.
    // While the page is being set up nothing is written: showing a page
    // changes nothing (the profile's own corrections are made once, when
    // it is loaded). `typed`: the value comes from typing in a field.
    bool ChangeAttribute(CDataItem &item, const QString &attribute, const QVariant &value, int refusedMsgId = 261,
                         bool typed = false);
    // The Undo record of a change made on this page.
    StepKind Step(bool typed = false) const { return StepKind{StepCaption(), typed}; }
    // True while OnInitialUpdate sets the page up.
    bool IsSettingUp() const { return m_bSettingUp; }

    CTavoCPSDoc *m_pDoc = nullptr;
    CDataItem m_rootItem;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildLayout();
    void AddRun(QGridLayout *grid, const LayoutRecord *begin, const LayoutRecord *end, int &row);

    int m_nPageIndex;
    const PageLayoutInfo *m_pPageInfo;
    int m_nChannelIndex = 0;
    bool m_bInitialised = false;
    bool m_bSettingUp = false;
    QPointer<QWidget> m_pForm;
    QPointer<CHelpView> m_pHelpPane;
    QHash<int, QWidget *> m_controls;
    std::vector<std::pair<int, int>> m_addedRows; // label and control ids
};

// A page that is not built yet: a white page with nothing on it.
class CEmptyView : public CBaseView {
    Q_OBJECT
public:
    explicit CEmptyView(int pageIndex, QWidget *parent = nullptr);
};

// The page of tree index `pageIndex` (0..8), not yet set up; null outside.
CBaseView *CreatePageView(int pageIndex, QWidget *parent = nullptr);

} // namespace tavo
