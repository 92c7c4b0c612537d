#pragma once
// The two HTML reports of a profile: the customer handout ("Handout.xsl")
// and the detailed report ("Detailed.xsl"). The profile is transformed
// with the installed style sheet, the program's pieces are put into the
// result (dealer footer, rows, tone code texts), the label keys become
// texts of the current language, and the report is written as a UTF-16
// file into the installation's "Report" folder, or into the user's cache
// folder when that cannot be written. No widgets here: the report window
// and the command line share all of it.
//
// Every text that comes from a profile or from the dealer settings reaches
// the HTML escaped: the transformation escapes the profile's values, the
// dealer texts are escaped here, and neither can be taken for a label key
// or a placeholder.

#include "reports/ReportLabels.h"

#include <QByteArray>
#include <QString>

namespace tavo {

inline constexpr const char *kHandoutStyleSheet = "Handout.xsl";
inline constexpr const char *kDetailedStyleSheet = "Detailed.xsl";
// What the style sheets emit for the program to fill in.
inline constexpr const char *kFooterPlaceholder = "<p>ABCDEFGSDGFHWRAZxVBSDFSEWASSX</p>";
inline constexpr const char *kRowPlaceholder = "ABCDEFGTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRFCKUOPQWBFDSA";

// ---- file names

// True when the file names may use the language's own texts: the language
// is "English", or the ANSI code page (an iconv name such as "CP1252")
// is the language's code page. An empty language gives false.
bool UsesLocalisedFileNames(const QString &language, const QByteArray &ansiCodePage);
// "Customer Handout.htm" / "Detailed Report.htm", or string 323 / 322 of
// the current language with the characters a file name cannot hold
// replaced by blanks.
QString ReportFileName(ReportKind kind, const QString &language, const QByteArray &ansiCodePage);
// The same for the application's language and code page.
QString ReportFileName(ReportKind kind);

// ---- the pieces

// The profile text without the root's default-namespace declaration, so
// that the style sheets address elements without a prefix.
QString PrepareProfileText(const QString &profileXml);
// A dealer text for HTML: escaped, CR LF as "<BR>", ending in "<BR>".
// Dealer texts are inserted as text: a "%s" in one is never filled.
QString EscapeDealerText(const QString &text);
// The footer table filled with the three (escaped) dealer texts.
QString DealerFooter(const QString &left, const QString &middle, const QString &right);

struct DealerTexts {
    QString left, middle, right;
};

// Transforms the profile text and returns the finished HTML (keys
// replaced). A missing or broken style sheet raises CTavoCPSException 315;
// a document that cannot be created 134.
QString GenerateHandoutHtml(const QString &profileXml, const DealerTexts &dealer, const QString &decimalSeparator);
// The detailed report names the dealer too, when there are dealer texts.
QString GenerateDetailedHtml(const QString &profileXml, const QString &decimalSeparator, const DealerTexts &dealer = {});

// The bytes of a report file: FF FE, the text as UTF-16LE and one
// terminating zero code unit.
QByteArray EncodeReportFile(const QString &html);

// ---- one report, made and written

struct ReportOutput {
    ReportKind kind = ReportKind::Handout;
    bool displayModel = false; // the model letter is "D"
    QString folder;            // the folder holding the report and its images
    QString path;              // the report file
};

// Writes `html` as `fileName` into <install>/Report; when that cannot be
// created (a read-only installation), into the user's cache folder with
// the report images copied beside it, without asking. False when nothing
// was written (420 shown).
bool WriteReportFile(const QString &fileName, const QString &html, ReportOutput &out);

// The whole report for the window: reads the dealer texts (a handout is not
// made without them), generates, writes. Failures are shown through the
// message sink (the exception's id, or 315); false when there is nothing
// to show.
bool MakeReport(ReportKind kind, const QString &profileXml, ReportOutput &out);

// The HTML of a report as MakeReport makes it, without writing it. False
// (with the reason shown) when it cannot be made. `displayModel`, when
// given, tells whether the profile is of a display model.
bool BuildReportHtml(ReportKind kind, const QString &profileXml, QString &html, bool *displayModel = nullptr);

// The report folder of the installation and the fallback folder.
QString InstallReportFolder();
QString ReportCacheFolder();

} // namespace tavo
