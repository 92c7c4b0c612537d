#include "config/InterfaceLanguage.h"

#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTranslator>
#include <memory>

namespace tavo {

namespace {

// The translator installed for the interface language. Restoring it
// through the process context also swaps it in the application.
class TranslatorValue : public ContextValue<std::shared_ptr<QTranslator>> {
public:
    void Restore(const std::shared_ptr<void> &saved) override
    {
        const auto previous = *static_cast<const std::shared_ptr<QTranslator> *>(saved.get());
        const auto current = Set(previous);
        if (current == previous || !QCoreApplication::instance())
            return;
        if (current)
            QCoreApplication::removeTranslator(current.get());
        if (previous)
            QCoreApplication::installTranslator(previous.get());
    }
};

TranslatorValue &translator()
{
    static TranslatorValue value;
    return value;
}

bool InstallTranslation(const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile() || !QCoreApplication::instance())
        return false;
    auto loaded = std::make_shared<QTranslator>();
    if (!loaded->load(path))
        return false;
    UnloadInterfaceLanguage();
    QCoreApplication::installTranslator(loaded.get());
    translator().Set(loaded);
    return true;
}

} // namespace

QString LoadInterfaceLanguage()
{
    QString language = GetCurrentLanguage();
    if (language != QLatin1String(kBuiltInLanguage) && !InstallTranslation(GetResourceLibraryPath())) {
        language = QLatin1String(kBuiltInLanguage);
        SetCurrentLanguage(language);
        ShowMessage(msg::LanguageFileMissing, MB_OK | MB_ICONWARNING);
    }
    SetApplicationLanguage(language);
    return language;
}

bool IsLanguageShipped(const QString &key)
{
    if (key == QLatin1String(kBuiltInLanguage))
        return true;
    const QString path = GetResourceLibraryPath(key);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

void UnloadInterfaceLanguage()
{
    const auto installed = translator().Set(nullptr);
    if (installed && QCoreApplication::instance())
        QCoreApplication::removeTranslator(installed.get());
}

int ChangeCurrentLanguage(const QString &key)
{
    const QString previous = GetCurrentLanguage();
    if (!SetCurrentLanguage(key))
        return 0;
    if (key != previous)
        ShowMessage(msg::LanguageRestartNeeded, MB_OK | MB_ICONINFORMATION);
    return 1;
}

} // namespace tavo
