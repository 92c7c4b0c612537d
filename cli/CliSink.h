#pragma once
// The command line's message sink: every message goes to stderr; questions
// are answered from --answer / --yes, and without them with the cautious
// answer (No, Cancel), so nothing is changed that the user did not ask for.

#include "resources/MessageSink.h"

namespace tavo::cli {

class CliMessageSink : public IMessageSink {
public:
    // answer: "yes", "no" or empty (not given).
    explicit CliMessageSink(const QString &answer = QString()) : m_answer(answer) {}
    void SetAnswer(const QString &answer) { m_answer = answer; }
    int Show(const QString &text, unsigned style) override;

private:
    QString m_answer;
};

} // namespace tavo::cli
