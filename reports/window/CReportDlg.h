#pragma once
// The report window: a generated report in a browser, with Print Preview,
// Print, Save As (HTML, or PDF by the file's extension), E-mail (the
// report as a PDF) and Close along the bottom edge, and the paper those
// use at the bottom left. Every question and message goes through the
// message sink; the Save As target comes from a prompt that the shell (or
// a test) can replace.

#include "reports/ReportLabels.h"
#include "reports/ReportPdf.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QTextBrowser;

namespace tavo {

// Asks where to save a report; `suggested` is a full path. An empty answer
// cancels.
using ReportSaveAsPrompt = std::function<QString(QWidget *parent, const QString &suggested)>;
// Replaces the prompt (null restores the built-in one); returns the old one.
ReportSaveAsPrompt SetReportSaveAsPrompt(ReportSaveAsPrompt prompt);

// Control ids of the window's buttons, kept as the property "ctrlId".
enum ReportDlgControl : int {
    IDC_REPORT_BROWSER = 102,
    IDC_REPORT_PREVIEW = 1104,
    IDC_REPORT_PRINT = 1098,
    IDC_REPORT_SAVEAS = 1105,
    IDC_REPORT_EMAIL = 1099,
    IDC_REPORT_CLOSE = 2,
};

class CReportDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReportDlg(QWidget *parent = nullptr);

    // The folder holding the report and its images, and the report file.
    void SetReport(const QString &folder, const QString &path);
    void SetReportKind(bool handout) { m_bHandout = handout; }
    void SetDisplayModel(bool displayModel) { m_bDisplayModel = displayModel; }

    QTextBrowser *Browser() const { return m_pBrowser; }
    QPushButton *Button(int ctrlId) const;
    QComboBox *PaperList() const { return m_pPaper; }
    // The paper chosen for printing, saving and e-mailing as PDF.
    ReportPaper Paper() const;
    // The handout images found when the window opened.
    const QStringList &HandoutImages() const { return m_images; }

public slots:
    void OnPrintPreview();
    void OnPrint();
    void OnSaveAs();
    void OnEmail();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void OnInitDialog();
    void ApplyLayout();
    void PlaceButtons();
    void FitBanners();
    QString ReportHtml() const;

    QString m_strURL;
    QString m_strFolder;
    bool m_bHandout = true;
    bool m_bDisplayModel = false;
    QStringList m_images;
    bool m_bInitialised = false;
    QTextBrowser *m_pBrowser = nullptr;
    QLabel *m_pPaperLabel = nullptr;
    QComboBox *m_pPaper = nullptr;
    QList<QPushButton *> m_buttons; // left to right, Close last
    QList<QPoint> m_offsets;        // each button's distance from the bottom-right corner
};

} // namespace tavo
