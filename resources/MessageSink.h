#pragma once
// The one way any part of the program speaks to the user. A front end
// installs its sink once (message boxes in the GUI, stderr and flags in the
// command line, a scripted recorder in tests); the core only calls
// ShowMessage and acts on the answer.
//
// Styles and answers keep the classic message-box values, because the rule
// script returns styles.

#include <QString>

namespace tavo {

enum MessageStyle : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_BUTTONMASK = 0x0F,
    MB_ICONMASK = 0xF0,
};

enum MessageAnswer : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
};

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // Shows `text` with `style` and returns the user's answer.
    virtual int Show(const QString &text, unsigned style) = 0;
};

// Installs `sink` (not owned) and returns the previous one. nullptr restores
// the default sink, which writes to stderr and answers with the default
// button (OK, or Yes for the Yes/No styles).
IMessageSink *SetMessageSink(IMessageSink *sink);

// Shows message `id` of the string table.
int ShowMessage(int id, unsigned style = MB_OK);
// Shows an already formatted text (traces, formatted messages).
int ShowMessageText(const QString &text, unsigned style = MB_OK);

// The answer a sink gives when nobody can be asked: the default button.
int DefaultAnswer(unsigned style);

} // namespace tavo
