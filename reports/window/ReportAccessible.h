#pragma once
// The report as a screen reader meets it: one document whose text is the
// whole report (headings, tables row by row), not a single label. The
// report window's browser carries the object name below; the factory
// answers for it.

class QObject;
class QString;
class QAccessibleInterface;

namespace tavo {

inline constexpr const char *kReportDocumentObjectName = "reportDocument";

// The accessible interface of a report browser, or null for any other object.
QAccessibleInterface *ReportAccessibleFactory(const QString &className, QObject *object);

// Installs the factory once.
void InstallReportAccessibility();

} // namespace tavo
