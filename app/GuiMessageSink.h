#pragma once
// The message sink of the GUI: every message and question of the program as
// a message box over the active window, the product title as its caption.

#include "resources/MessageSink.h"

namespace tavo {

class GuiMessageSink : public IMessageSink {
public:
    int Show(const QString &text, unsigned style) override;
};

} // namespace tavo
