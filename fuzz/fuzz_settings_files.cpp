// The installation's setting files as files: the first byte chooses one of
// the four setting documents or the machine or user settings file, the rest
// is its content. Loading and every query answer or raise the program's
// error; the original files are put back after each input.

#include "support/QuietSink.h"

#include "base/CTavoCPSException.h"
#include "config/SettingDocuments.h"
#include "config/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace tavo;

namespace {

struct Installation {
    QTemporaryDir dir;
    QString root;
    QStringList files;
    QList<QByteArray> originals;
    XmlDocPtr parsed[SettingDocuments::DocumentCount];
    Installation()
    {
        root = dir.filePath(QStringLiteral("install"));
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(TAVO_SOURCE_DIR "/install"), root});
        for (const char *name : {kVisibleSettingFile, kButtonListFile, kRegionFile, kHelpPanMapFile})
            files << root + QStringLiteral("/lib/") + QLatin1String(name);
        files << dir.filePath(QStringLiteral("machine.ini")) << dir.filePath(QStringLiteral("user.ini"));
        for (const QString &f : files) {
            QFile in(f);
            originals << (in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray());
        }
        SetInstallPathOverride(root);
        SetMachineSettingsFile(files.at(4));
        SetUserSettingsFile(files.at(5));
        for (int d = 0; d < SettingDocuments::DocumentCount; ++d)
            parsed[d] = LoadSettingDoc(QFileInfo(files.at(d)).fileName(), true);
    }
    static void Put(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    fuzz::InstallQuietSink();
    static Installation install;
    const int which = data[0] % 6;
    Installation::Put(install.files.at(which), QByteArray(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1)));
    try {
        // The chosen document is loaded from its file; the other three are
        // copies of the installed ones, parsed once.
        SettingDocuments docs;
        bool loaded = which < SettingDocuments::DocumentCount;
        for (int d = 0; loaded && d < SettingDocuments::DocumentCount; ++d) {
            XmlDocPtr doc = d == which ? LoadSettingDoc(QFileInfo(install.files.at(d)).fileName(), true)
                                       : XmlDocPtr(xmlCopyDoc(install.parsed[d].get(), 1));
            loaded = doc != nullptr;
            docs.SetDocument(static_cast<SettingDocuments::Document>(d), std::move(doc));
        }
        if (loaded) {
            docs.GetCPVersion();
            docs.GetLanguageDisplayName(QStringLiteral("English"));
            docs.LoadSubRegions();
            QString page;
            docs.GetHelpPageName(QStringLiteral("Channel"), QStringLiteral("1016"), page);
            for (const ModelEntry &m : docs.GetModelList())
                docs.GetButtonFeatures(m.m_strCode, QLatin1String(kGroupCommon));
            docs.InitRegionData(QStringLiteral("Tavo EMEA CPS"));
            docs.GetVisibleControls(QStringLiteral("Channel"), true);
            QHash<int, QString> map;
            docs.LoadModelRegions(map);
            docs.GetSupportLanguages();
        }
    } catch (const CTavoCPSException &) {
    }
    InitRegistry();
    GetCurrentLanguage();
    GetDefaultLanguage();
    IsContextHelpShown();
    GetHelpFilePath();
    QString left, right, middle;
    GetDealerInfo(left, right, middle);
    Installation::Put(install.files.at(which), install.originals.at(which));
    return 0;
}
