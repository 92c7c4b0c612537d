#include "config/Registry.h"

#include "config/InterfaceLanguage.h"
#include "base/XmlDom.h"
#include "resources/MessageIds.h"
#include "resources/MessageSink.h"
#include "resources/ProcessContext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <algorithm>
#include <memory>
#include <vector>

namespace tavo {

namespace {

// ---- every value name and group name of the two scopes

enum class Value {
    InstallPath,
    DefaultLanguage,
    ShowContextHelp,
    CurrentLanguage,
    GUIResource,
    HelpFileName,
    DealerInfoLeft,
    DealerInfoMiddle,
    DealerInfoRight,
};

struct ValueInfo {
    Value value;
    const char *name;
    bool perLanguage; // lives in the group Language/<key>
};

constexpr ValueInfo kValues[] = {
    {Value::InstallPath, "InstallPath", false},
    {Value::DefaultLanguage, "DefaultLanguage", false},
    {Value::ShowContextHelp, "ShowContextHelp", false},
    {Value::CurrentLanguage, "CurrentLanguage", false},
    {Value::GUIResource, "GUIResource", true},
    {Value::HelpFileName, "HelpFileName", true},
    {Value::DealerInfoLeft, "DealerInfoLeft", true},
    {Value::DealerInfoMiddle, "DealerInfoMiddle", true},
    {Value::DealerInfoRight, "DealerInfoRight", true},
};

constexpr const char *kLanguageGroup = "Language";
constexpr const char *kOrganization = "Vantrel";
constexpr const char *kProduct = "Tavo EMEA CPS";
constexpr const char *kMachineFileName = "machine.ini";
constexpr const char *kInstallFolderName = "install";
constexpr const char *kSharedInstallFolder = "../share/tavocps";

// The three dealer values in the order left, middle, right.
constexpr Value kDealerValues[] = {Value::DealerInfoLeft, Value::DealerInfoMiddle, Value::DealerInfoRight};

const ValueInfo &Info(Value v)
{
    for (const ValueInfo &i : kValues)
        if (i.value == v)
            return i;
    return kValues[0];
}

// The settings path of `v`; per-language values need the language key.
QString ValuePath(Value v, const QString &language = QString())
{
    const ValueInfo &i = Info(v);
    if (!i.perLanguage)
        return QLatin1String(i.name);
    return QStringLiteral("%1/%2/%3").arg(QLatin1String(kLanguageGroup), language, QLatin1String(i.name));
}

// ---- where the scopes live

ContextValue<QString> &installOverride()
{
    static ContextValue<QString> value;
    return value;
}
ContextValue<QString> &machineFileOverride()
{
    static ContextValue<QString> value;
    return value;
}
ContextValue<QString> &userFileOverride()
{
    static ContextValue<QString> value;
    return value;
}

ContextValue<QString> &systemConfigOverride()
{
    static ContextValue<QString> value;
    return value;
}

// The machine scope: its files in the order in which they win, each value
// read from the first that holds it.
class MachineSettings {
public:
    explicit MachineSettings(const QStringList &files)
    {
        for (const QString &file : files)
            m_layers.push_back(std::make_unique<QSettings>(file, QSettings::IniFormat));
    }
    bool contains(const QString &path) const { return Holder(path) != nullptr; }
    QVariant value(const QString &path) const
    {
        const QSettings *holder = Holder(path);
        return holder ? holder->value(path) : QVariant();
    }

private:
    const QSettings *Holder(const QString &path) const
    {
        for (const auto &layer : m_layers)
            if (layer->contains(path))
                return layer.get();
        return nullptr;
    }
    std::vector<std::unique_ptr<QSettings>> m_layers;
};

MachineSettings MachineScope() { return MachineSettings(MachineSettingsFiles()); }

std::unique_ptr<QSettings> UserScope()
{
    return std::make_unique<QSettings>(UserSettingsFile(), QSettings::IniFormat);
}

// A text value up to its first terminator; `present` tells whether it exists.
// `Store` is a QSettings or the layered machine scope.
template <typename Store>
QString ReadText(const Store &s, const QString &path, bool *present = nullptr)
{
    const bool has = s.contains(path);
    if (present)
        *present = has;
    if (!has)
        return QString();
    const QVariant v = s.value(path);
    QString text = v.typeId() == QMetaType::QStringList ? v.toStringList().join(QStringLiteral(", ")) : v.toString();
    const int nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// A multi-string value: a list of lines (a comma-separated list, or one
// text whose lines are separated by line breaks), joined with "\r\n".
template <typename Store>
QString ReadMultiString(const Store &s, const QString &path)
{
    const QVariant v = s.value(path);
    QStringList lines;
    if (v.typeId() == QMetaType::QStringList) {
        lines = v.toStringList();
    } else {
        QString text = v.toString();
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        lines = text.split(QChar(u'\n'));
    }
    return lines.join(QLatin1String("\r\n"));
}

template <typename Store>
int ReadInt(const Store &s, const QString &path)
{
    if (!s.contains(path))
        return -1;
    bool ok = false;
    const int n = s.value(path).toInt(&ok);
    return ok ? n : -1;
}

bool WriteValue(const QString &path, const QVariant &value)
{
    auto user = UserScope();
    if (!user->isWritable())
        return false;
    user->setValue(path, value);
    user->sync();
    return user->status() == QSettings::NoError;
}

QString InstallRelative(const QString &relative)
{
    if (relative.isEmpty())
        return QString();
    return QDir(GetInstallPath()).filePath(relative);
}

// ---- the language table

constexpr LanguageInfo kLanguages[] = {
    {"English", 1033, 32789, "en_US"},
    {"French", 1036, 32799, "fr_FR"},
    {"CaFrench", 3084, 32797, "fr_CA"},
    {"German", 1031, 32788, "de_DE"},
    {"Dutch", 1043, 32791, "nl_NL"},
    {"Italian", 1040, 32793, "it_IT"},
    {"Spanish", 1034, 32802, "es_ES"},
    {"LaSpanish", 3082, 32782, "es_ES"},
    {"Portuguese", 2070, 32784, "pt_PT"},
    {"LaPortuguese", 1046, 32795, "pt_BR"},
    {"Polish", 1045, 32783, "pl_PL"},
    {"Russian", 1049, 32785, "ru_RU"},
};

ContextValue<QString> &applicationLanguage()
{
    static ContextValue<QString> value;
    return value;
}

} // namespace

// ---- locations

void SetInstallPathOverride(const QString &dir) { installOverride().Set(dir); }
void SetMachineSettingsFile(const QString &path) { machineFileOverride().Set(path); }
void SetUserSettingsFile(const QString &path) { userFileOverride().Set(path); }

namespace {
QString ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}
} // namespace

QString DefaultInstallFolder()
{
    const QString exeDir = ExecutableFolder();
    // A build lays the installation out beside the binaries; an installed
    // program finds it under share/ of its prefix.
    const QString beside = QDir(exeDir).filePath(QLatin1String(kInstallFolderName));
    const QString shared = QDir::cleanPath(QDir(exeDir).filePath(QLatin1String(kSharedInstallFolder)));
    // Only a folder counts: /usr/bin/install is a program on every system.
    if (!QFileInfo(beside).isDir() && QFileInfo(shared).isDir())
        return shared;
    return beside;
}

namespace {
// <config folder>/Vantrel/Tavo EMEA CPS.ini
QString AdministratorFileIn(const QString &configFolder)
{
    return QDir::cleanPath(QDir(configFolder).filePath(
        QStringLiteral("%1/%2.ini").arg(QLatin1String(kOrganization), QLatin1String(kProduct))));
}

// Where an administrator may keep machine settings, the most important
// first: the desktop's configuration folders, the system's (/etc/xdg, which
// a desktop's XDG_CONFIG_DIRS may leave out), and for a program installed
// under a prefix other than /usr that prefix's etc/xdg.
QStringList AdministratorFiles()
{
    const QString override = systemConfigOverride().Get();
    if (!override.isEmpty())
        return {AdministratorFileIn(override)};
    QStringList files;
    auto add = [&files](const QString &file) {
        if (!files.contains(file))
            files << file;
    };
    for (const QString &dir : qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            add(AdministratorFileIn(dir));
    add(QDir::cleanPath(
        QSettings(QSettings::IniFormat, QSettings::SystemScope, QLatin1String(kOrganization), QLatin1String(kProduct))
            .fileName()));
    add(AdministratorFileIn(QDir(ExecutableFolder()).filePath(QStringLiteral("../etc/xdg"))));
    return files;
}
} // namespace

void SetSystemConfigFolder(const QString &dir) { systemConfigOverride().Set(dir); }

QStringList MachineSettingsFiles()
{
    const QString machineFile = machineFileOverride().Get();
    if (!machineFile.isEmpty())
        return {machineFile};
    QStringList files;
    for (const QString &file : AdministratorFiles())
        if (QFileInfo::exists(file))
            files << file;
    // The defaults are those of the installation in use: the command line's,
    // else the one an administrator names, else the one beside the program.
    QString folder = installOverride().Get();
    if (folder.isEmpty())
        folder = ReadText(MachineSettings(files), ValuePath(Value::InstallPath));
    if (folder.isEmpty())
        folder = DefaultInstallFolder();
    files << QDir(folder).filePath(QLatin1String(kMachineFileName));
    return files;
}

QString UserSettingsFile()
{
    const QString userFile = userFileOverride().Get();
    if (!userFile.isEmpty())
        return userFile;
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QLatin1String(kOrganization), QLatin1String(kProduct)).fileName();
}

// ---- values

QString GetInstallPath()
{
    QString path = installOverride().Get();
    if (path.isEmpty())
        path = ReadText(MachineScope(), ValuePath(Value::InstallPath));
    if (path.isEmpty())
        path = DefaultInstallFolder();
    // The only folder whose files the XML library may open on its own
    // (schema includes and imports, style sheet imports).
    SetXmlTrustedFolder(path);
    return path;
}

QString InstallFilePath(const QString &subfolder, const QString &file)
{
    QDir dir(GetInstallPath());
    return subfolder.isEmpty() ? dir.filePath(file) : dir.filePath(subfolder + QChar(u'/') + file);
}

QString GetDefaultLanguage() { return ReadText(MachineScope(), ValuePath(Value::DefaultLanguage)); }
QString GetCurrentLanguage() { return ReadText(*UserScope(), ValuePath(Value::CurrentLanguage)); }

int SetCurrentLanguage(const QString &key)
{
    return WriteValue(ValuePath(Value::CurrentLanguage), key) ? 1 : 0;
}

int GetShowContextHelp() { return ReadInt(*UserScope(), ValuePath(Value::ShowContextHelp)); }
int GetDefaultShowContextHelp() { return ReadInt(MachineScope(), ValuePath(Value::ShowContextHelp)); }

int SetShowContextHelp(bool shown)
{
    return WriteValue(ValuePath(Value::ShowContextHelp), shown ? 1 : 0) ? 1 : 0;
}

bool IsContextHelpShown() { return GetShowContextHelp() == 1; }

int EnsureUserKeys()
{
    const QFileInfo file(UserSettingsFile());
    if (!QDir().mkpath(file.absolutePath()))
        return 0;
    auto user = UserScope();
    if (!user->isWritable())
        return 0;
    user->sync();
    return user->status() == QSettings::NoError ? 1 : 0;
}

namespace {
// Dealer information: each value the user lacks for `language` is seeded
// from the machine default; a user value that exists, even empty, stays.
void SeedDealerValues(const QString &language)
{
    if (language.isEmpty())
        return;
    const MachineSettings machine = MachineScope();
    auto user = UserScope();
    if (!user->isWritable())
        return;
    for (Value v : kDealerValues) {
        const QString path = ValuePath(v, language);
        if (user->contains(path))
            continue;
        user->setValue(path, ReadMultiString(machine, path));
    }
    user->sync();
}
} // namespace

int InitRegistry()
{
    if (!EnsureUserKeys()) {
        ShowMessage(msg::RegistryFatal, MB_OK | MB_ICONERROR);
        return 0;
    }
    if (GetCurrentLanguage().isEmpty()) {
        const QString def = GetDefaultLanguage();
        if (def.isEmpty()) {
            ShowMessage(msg::RegistryFatal, MB_OK | MB_ICONERROR);
            return 0;
        }
        if (!SetCurrentLanguage(FirstStartLanguage(def)))
            return 0;
    }
    if (GetShowContextHelp() == -1) {
        const int def = GetDefaultShowContextHelp();
        if (def == -1) {
            ShowMessage(msg::RegistryFatal, MB_OK | MB_ICONERROR);
            return 0;
        }
        if (!SetShowContextHelp(def == 1))
            return 0;
    }
    SeedDealerValues(GetCurrentLanguage());
    return 1;
}

int PrepareUserSettingsForRun()
{
    if (!EnsureUserKeys())
        return 0;
    SeedDealerValues(ApplicationLanguage());
    return 1;
}

QString GetResourceLibraryPath() { return GetResourceLibraryPath(GetCurrentLanguage()); }

QString GetResourceLibraryPath(const QString &languageKey)
{
    if (languageKey.isEmpty())
        return QString();
    const QString relative = ReadText(MachineScope(), ValuePath(Value::GUIResource, languageKey));
    return relative.isEmpty() ? QString() : InstallRelative(relative);
}

QString GetHelpFilePath()
{
    return InstallRelative(ReadText(MachineScope(), ValuePath(Value::HelpFileName, ApplicationLanguage())));
}

int GetDealerInfo(QString &left, QString &right, QString &middle)
{
    auto user = UserScope();
    const QString language = ApplicationLanguage();
    bool hasLeft = false, hasMiddle = false, hasRight = false;
    left = ReadText(*user, ValuePath(Value::DealerInfoLeft, language), &hasLeft);
    middle = ReadText(*user, ValuePath(Value::DealerInfoMiddle, language), &hasMiddle);
    right = ReadText(*user, ValuePath(Value::DealerInfoRight, language), &hasRight);
    if (language.isEmpty() || !hasLeft || !hasMiddle || !hasRight) {
        left.clear();
        middle.clear();
        right.clear();
        return 0;
    }
    return 1;
}

int SetDealerInfo(const QString &left, const QString &right, const QString &middle)
{
    const QString language = ApplicationLanguage();
    if (language.isEmpty())
        return 0;
    auto user = UserScope();
    if (!user->isWritable())
        return 0;
    user->setValue(ValuePath(Value::DealerInfoLeft, language), left);
    user->setValue(ValuePath(Value::DealerInfoMiddle, language), middle);
    user->setValue(ValuePath(Value::DealerInfoRight, language), right);
    user->sync();
    return user->status() == QSettings::NoError ? 1 : 0;
}

// ---- languages

namespace {

constexpr const char *kRecentFileGroup = "Recent File List";

int WriteRecentFiles(const QStringList &files)
{
    auto user = UserScope();
    if (!user->isWritable())
        return 0;
    user->beginGroup(QLatin1String(kRecentFileGroup));
    user->remove(QString());
    for (int i = 0; i < files.size() && i < kRecentFileCount; ++i)
        user->setValue(QStringLiteral("File%1").arg(i + 1), files.at(i));
    user->endGroup();
    user->sync();
    return user->status() == QSettings::NoError ? 1 : 0;
}

bool SameFile(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

QStringList GetRecentFiles()
{
    auto user = UserScope();
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path = user->value(QStringLiteral("%1/File%2").arg(QLatin1String(kRecentFileGroup)).arg(i)).toString();
        if (!path.isEmpty())
            files << path;
    }
    return files;
}

int AddRecentFile(const QString &path)
{
    if (path.isEmpty())
        return 0;
    QStringList files = GetRecentFiles();
    files.erase(std::remove_if(files.begin(), files.end(), [&](const QString &f) { return SameFile(f, path); }),
                files.end());
    files.prepend(QFileInfo(path).absoluteFilePath());
    return WriteRecentFiles(files.mid(0, kRecentFileCount));
}

int RemoveRecentFile(const QString &path)
{
    QStringList files = GetRecentFiles();
    files.erase(std::remove_if(files.begin(), files.end(), [&](const QString &f) { return SameFile(f, path); }),
                files.end());
    return WriteRecentFiles(files);
}

const LanguageInfo *LanguageTableBegin() { return std::begin(kLanguages); }
const LanguageInfo *LanguageTableEnd() { return std::end(kLanguages); }

QString LanguageOfLocale(const QString &localeName)
{
    // "de_DE.UTF-8@euro" names the locale de_DE; "C" and "POSIX" none.
    const QString name = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return QString();
    for (const LanguageInfo &l : kLanguages)
        if (name == QLatin1String(l.localeName))
            return QLatin1String(l.key);
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    for (const LanguageInfo &l : kLanguages)
        if (language == QString::fromLatin1(l.localeName).section(QLatin1Char('_'), 0, 0))
            return QLatin1String(l.key);
    return QString();
}

QString SystemLanguage()
{
    // The variables in the order in which they decide the messages' language.
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return LanguageOfLocale(value);
    }
    return QString();
}

QString FirstStartLanguage(const QString &machineDefault)
{
    const QString system = SystemLanguage();
    return !system.isEmpty() && IsLanguageShipped(system) ? system : machineDefault;
}

const LanguageInfo *FindLanguageInfo(const QString &key)
{
    for (const LanguageInfo &l : kLanguages)
        if (key == QLatin1String(l.key))
            return &l;
    return nullptr;
}

void SetApplicationLanguage(const QString &key) { applicationLanguage().Set(key); }

QString ApplicationLanguage()
{
    const QString language = applicationLanguage().Get();
    return language.isEmpty() ? GetCurrentLanguage() : language;
}

QString GetDecimalSeparator(const QString &languageKey)
{
    const LanguageInfo *info = FindLanguageInfo(languageKey);
    const QLocale locale = info ? QLocale(QLatin1String(info->localeName)) : QLocale::system();
    const QString separator = locale.decimalPoint();
    return separator.isEmpty() ? QStringLiteral(".") : separator;
}

QString GetDecimalSeparator() { return GetDecimalSeparator(ApplicationLanguage()); }

int FindLanguage(const QStringList &keys, const QString &key)
{
    if (keys.size() == 1 && keys.first() == QLatin1String("English"))
        return -1;
    return keys.contains(key) ? 1 : 0;
}

} // namespace tavo
