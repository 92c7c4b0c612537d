#include "reports/window/ReportAccessible.h"

#include <QAccessibleWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace tavo {

namespace {

// A read-only document: its text, the caret of the browser, no selection
// of its own.
class ReportDocumentAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReportDocumentAccessible(QTextBrowser *browser) : QAccessibleWidget(browser, QAccessible::Document) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return PlainText();
        return QAccessibleWidget::text(t);
    }

    // The text interface: the report's text, tables row by row.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return Browser()->textCursor().position(); }
    void setCursorPosition(int position) override
    {
        QTextCursor cursor = Browser()->textCursor();
        cursor.setPosition(std::clamp(position, 0, characterCount()));
        Browser()->setTextCursor(cursor);
    }
    QString text(int startOffset, int endOffset) const override
    {
        return PlainText().mid(startOffset, std::max(0, endOffset - startOffset));
    }
    int characterCount() const override { return int(PlainText().size()); }
    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(Browser()->document());
        cursor.setPosition(std::clamp(offset, 0, characterCount()));
        const QRect r = Browser()->cursorRect(cursor);
        return QRect(Browser()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return Browser()->cursorForPosition(Browser()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int startIndex, int) override { setCursorPosition(startIndex); Browser()->ensureCursorVisible(); }
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return QString();
    }

private:
    QTextBrowser *Browser() const { return static_cast<QTextBrowser *>(widget()); }
    QString PlainText() const { return Browser()->document()->toPlainText(); }
};

} // namespace

QAccessibleInterface *ReportAccessibleFactory(const QString &, QObject *object)
{
    auto *browser = qobject_cast<QTextBrowser *>(object);
    if (browser && browser->objectName() == QLatin1String(kReportDocumentObjectName))
        return new ReportDocumentAccessible(browser);
    return nullptr;
}

void InstallReportAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(&ReportAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tavo
