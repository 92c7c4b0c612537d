#pragma once
// The Report command's dialog: the user picks the customer handout or the
// detailed report of the open profile; OK (or a double click) makes the
// report and shows it in the report window.

#include "profile/CDataItem.h"
#include "reports/ReportGenerator.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace tavo {

class CRadioDataModel;

enum ReportOptionControl : int {
    IDC_REPORT_LIST = 1082,
    IDC_REPORT_PROMPT = 1083,
    IDC_REPORT_OK = 1,
    IDC_REPORT_CANCEL = 2,
};

class CReportOptionDlg : public QDialog {
    Q_OBJECT
public:
    // `model` is the open profile (not owned); its root item gives the
    // highest tone code.
    explicit CReportOptionDlg(CRadioDataModel &model, QWidget *parent = nullptr);

    // The selected report; false when no row is selected.
    bool SelectedKind(ReportKind &kind) const;
    QListWidget *List() const { return m_pList; }
    QPushButton *OkButton() const { return m_pOk; }

    // Makes the selected report; false when there is nothing to show (the
    // reason has been shown).
    bool GenerateSelected(ReportOutput &out);

    // The Report command: runs this dialog and, on OK, makes the report
    // and runs the report window.
    static void RunReportCommand(CRadioDataModel &model, QWidget *parent);

    CDataItem m_rootItem;
    int m_nMaxCodes = 0;

private:
    void UpdateOk();

    CRadioDataModel &m_model;
    QLabel *m_pPrompt = nullptr;
    QListWidget *m_pList = nullptr;
    QPushButton *m_pOk = nullptr;
    QPushButton *m_pCancel = nullptr;
};

// Runs the report window on a written report.
void ShowReportWindow(const ReportOutput &report, QWidget *parent);

} // namespace tavo
