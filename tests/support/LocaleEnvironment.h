#pragma once
// The locale variables that decide a first start's language, set for one
// test and put back afterwards. Made with no arguments it clears them, so
// a test does not depend on the language of the machine it runs on.

#include <QByteArray>
#include <array>
#include <optional>

namespace tavo::test {

class LocaleEnvironment {
public:
    LocaleEnvironment()
    {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (qEnvironmentVariableIsSet(kNames[i]))
                m_saved[i] = qgetenv(kNames[i]);
            qunsetenv(kNames[i]);
        }
    }
    ~LocaleEnvironment()
    {
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (m_saved[i])
                qputenv(kNames[i], *m_saved[i]);
            else
                qunsetenv(kNames[i]);
        }
    }
    LocaleEnvironment(const LocaleEnvironment &) = delete;
    LocaleEnvironment &operator=(const LocaleEnvironment &) = delete;

    // Sets LC_ALL, LC_MESSAGES and LANG (an empty value leaves one unset).
    static void Set(const char *lcAll, const char *lcMessages, const char *lang)
    {
        const char *values[] = {lcAll, lcMessages, lang};
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            if (*values[i])
                qputenv(kNames[i], values[i]);
            else
                qunsetenv(kNames[i]);
        }
    }

private:
    static constexpr std::array<const char *, 3> kNames{"LC_ALL", "LC_MESSAGES", "LANG"};
    std::array<std::optional<QByteArray>, 3> m_saved;
};

} // namespace tavo::test
