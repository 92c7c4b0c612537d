// Channel plans from other tools: any bytes imported into a radio's profile
// (every template and the demonstration radio's, by location or in file
// order) leave a profile whose own export imports into it again without a
// refusal, a note or a changed value, and exports the same again.
//
// Input: one byte choosing the profile, one choosing the placement, then
// the file.

#include "support/QuietSink.h"

#include "base/CTavoCPSException.h"
#include "config/Registry.h"
#include "profile/CRadioDataModel.h"
#include "workflow/ChirpCsv.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

using namespace tavo;

namespace {

QStringList Profiles()
{
    QStringList texts;
    const QDir templates(QStringLiteral(TAVO_SOURCE_DIR "/install/profiletemplate"));
    QStringList paths;
    for (const QString &name : templates.entryList({QStringLiteral("*.kp2")}, QDir::Files))
        paths << templates.filePath(name);
    paths << QStringLiteral(TAVO_SOURCE_DIR "/tests/data/demo-OUD11602.xml");
    for (const QString &path : paths) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            texts << QString::fromUtf8(f.readAll());
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tavo::fuzz::InstallQuietSink();
    static bool installed = (tavo::SetInstallPathOverride(QStringLiteral(TAVO_SOURCE_DIR "/install")), true);
    (void)installed;
    static const QStringList profiles = Profiles();
    if (profiles.isEmpty())
        std::abort();
    if (size < 2)
        return 0;
    const QString &profile = profiles.at(data[0] % profiles.size());
    const ChirpPlacement placement = data[1] % 2 ? ChirpPlacement::InFileOrder : ChirpPlacement::ByLocation;
    CRadioDataModel model;
    if (model.LoadProfile(profile, 0) != 1)
        std::abort();
    const QByteArray csv(reinterpret_cast<const char *>(data + 2), static_cast<int>(size - 2));
    try {
        const ChirpImportReport report = ImportChirpCsv(model, csv, placement);
        // Every row is accounted for exactly once.
        if (report.imported + report.refused.size() + report.leftOver + report.beyondChannels + report.replaced != report.rows)
            std::abort();
        const QByteArray exported = ExportChirpCsv(model);
        const ChirpImportReport again = ImportChirpCsv(model, exported);
        if (!again.isChirpFile || !again.refused.isEmpty() || !again.notes.isEmpty() || !again.adjusted.isEmpty()
            || again.fromLocationZero || again.imported != again.rows)
            std::abort();
        if (ExportChirpCsv(model) != exported)
            std::abort();
    } catch (const CTavoCPSException &) {
        std::abort(); // an import reports rows; it does not fail
    }
    return 0;
}
