#include "app/GuiMessageSink.h"

#include "views/CFileDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace tavo {

int GuiMessageSink::Show(const QString &text, unsigned style)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QLatin1String(kProductTitle));
    box.setText(text);
    switch (style & MB_ICONMASK) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (style & MB_BUTTONMASK) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNOCANCEL:
        choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice &c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    box.setDefaultButton(choices.front().button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice &c : choices)
        if (c.button == pressed)
            return c.answer;
    // Closed with Escape or the window's close button.
    return (style & MB_BUTTONMASK) == MB_YESNO ? IDNO : (style & MB_BUTTONMASK) == MB_OK ? IDOK : IDCANCEL;
}

} // namespace tavo
