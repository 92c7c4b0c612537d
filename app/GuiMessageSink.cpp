#include "app/GuiMessageSink.h"

#include "views/CFileDialogs.h"
#include "resources/MessageIds.h"
#include "resources/StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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
        int textId; // the button's caption in the string table
    };
    const Choice ok{QMessageBox::Ok, IDOK, 140}, cancel{QMessageBox::Cancel, IDCANCEL, 141};
    const Choice yes{QMessageBox::Yes, IDYES, msg::ButtonYes}, no{QMessageBox::No, IDNO, msg::ButtonNo};
    // Made once rather than assigned to an empty vector: GCC 12 with the
    // hardening flags warned (-Wnonnull) of a copy into the empty vector's
    // null buffer on a path that never runs.
    const std::vector<Choice> choices = [&]() -> std::vector<Choice> {
        switch (style & MB_BUTTONMASK) {
        case MB_OKCANCEL: return {ok, cancel};
        case MB_YESNOCANCEL: return {yes, no, cancel};
        case MB_YESNO: return {yes, no};
        default: return {ok};
        }
    }();
    QMessageBox::StandardButtons buttons;
    for (const Choice &c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    for (const Choice &c : choices)
        box.button(c.button)->setText(LoadString(c.textId));
    box.setDefaultButton(choices.front().button);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice &c : choices)
        if (c.button == pressed)
            return c.answer;
    // Closed with Escape or the window's close button.
    return (style & MB_BUTTONMASK) == MB_YESNO ? IDNO : (style & MB_BUTTONMASK) == MB_OK ? IDOK : IDCANCEL;
}

} // namespace tavo
