#include "config/InterfaceLanguage.h"

#include "config/Registry.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

namespace tavo {

namespace {

// The translators installed for the interface language: ours, then Qt's
// own texts (standard dialogs, edit menus) when the system has them.
// Restoring them through the process context also swaps them in the
// application.
using Translators = std::vector<std::shared_ptr<QTranslator>>;

void Install(const Translators &list, bool install)
{
    if (!QCoreApplication::instance())
        return;
    for (const auto &t : list) {
        if (install)
            QCoreApplication::installTranslator(t.get());
        else
            QCoreApplication::removeTranslator(t.get());
    }
}

class TranslatorValue : public ContextValue<Translators> {
public:
    void Restore(const std::shared_ptr<void> &saved) override
    {
        const auto previous = *static_cast<const Translators *>(saved.get());
        const auto current = Set(previous);
        if (current == previous)
            return;
        Install(current, false);
        Install(previous, true);
    }
};

TranslatorValue &translators()
{
    static TranslatorValue value;
    return value;
}

// Qt's own texts (file, print and message dialogs) of a language, from
// the system's "qtbase_<locale>.qm"; null when the system has none.
std::shared_ptr<QTranslator> QtTranslation(const QString &language)
{
    const LanguageInfo *info = FindLanguageInfo(language);
    if (!info)
        return nullptr;
    auto qt = std::make_shared<QTranslator>();
    if (!qt->load(QLocale(QLatin1String(info->localeName)), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QtTranslationsFolder()))
        return nullptr;
    return qt;
}

bool InstallTranslation(const QString &language, const QString &path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile() || !QCoreApplication::instance())
        return false;
    auto own = std::make_shared<QTranslator>();
    if (!own->load(path))
        return false;
    Translators list{own};
    if (auto qt = QtTranslation(language))
        list.push_back(qt);
    UnloadInterfaceLanguage();
    Install(list, true);
    translators().Set(list);
    return true;
}

} // namespace

QString QtTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool HasQtTranslation(const QString &language)
{
    return QtTranslation(language) != nullptr;
}

QString LoadInterfaceLanguage()
{
    QString language = GetCurrentLanguage();
    if (language != QLatin1String(kBuiltInLanguage) && !InstallTranslation(language, GetResourceLibraryPath())) {
        language = QLatin1String(kBuiltInLanguage);
        SetCurrentLanguage(language);
        ShowMessage(msg::LanguageFileMissing, MB_OK | MB_ICONWARNING);
    }
    SetApplicationLanguage(language);
    return language;
}

QString LoadRunLanguage()
{
    QString machineDefault = GetDefaultLanguage();
    if (machineDefault.isEmpty())
        machineDefault = QLatin1String(kBuiltInLanguage);
    QString language = FirstStartLanguage(machineDefault);
    if (language != QLatin1String(kBuiltInLanguage) && !InstallTranslation(language, GetResourceLibraryPath(language)))
        language = QLatin1String(kBuiltInLanguage);
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
    Install(translators().Set(Translators()), false);
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
