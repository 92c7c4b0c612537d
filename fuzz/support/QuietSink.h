#pragma once
// Harnesses answer every message silently with the default button.
#include "resources/MessageSink.h"

namespace tavo::fuzz {

class QuietSink : public IMessageSink {
public:
    int Show(const QString &, unsigned style) override { return DefaultAnswer(style); }
};

inline void InstallQuietSink()
{
    static QuietSink sink;
    SetMessageSink(&sink);
}

} // namespace tavo::fuzz
