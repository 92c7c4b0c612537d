#pragma once
// A message sink for tests: records every message and answers from a script
// (in order), falling back to the default button.

#include "resources/MessageSink.h"

#include <QString>
#include <deque>
#include <vector>

namespace tavo::test {

class RecordingSink : public IMessageSink {
public:
    struct Shown {
        QString text;
        unsigned style;
    };

    RecordingSink() { m_previous = SetMessageSink(this); }
    ~RecordingSink() override { SetMessageSink(m_previous); }
    RecordingSink(const RecordingSink &) = delete;
    RecordingSink &operator=(const RecordingSink &) = delete;

    void Answer(int answer) { m_answers.push_back(answer); }

    int Show(const QString &text, unsigned style) override
    {
        m_shown.push_back({text, style});
        if (m_answers.empty())
            return DefaultAnswer(style);
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }

    const std::vector<Shown> &shown() const { return m_shown; }
    bool empty() const { return m_shown.empty(); }
    QString last() const { return m_shown.empty() ? QString() : m_shown.back().text; }
    void clear() { m_shown.clear(); }

private:
    IMessageSink *m_previous = nullptr;
    std::deque<int> m_answers;
    std::vector<Shown> m_shown;
};

} // namespace tavo::test
