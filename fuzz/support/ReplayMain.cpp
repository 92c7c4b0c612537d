// Replay driver for the fuzz harnesses when libFuzzer is not available: runs
// every file of the given folders (or files), then a fixed, repeatable set
// of mutations of each (bit flips, truncations, byte runs), so that the
// sanitizer build exercises the parsers beyond their seeds.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <random>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void Run(const QByteArray &input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()), static_cast<size_t>(input.size()));
}

void RunMutations(const QByteArray &seed, std::mt19937 &rng, int count)
{
    for (int i = 0; i < count; ++i) {
        QByteArray m = seed;
        const int kind = static_cast<int>(rng() % 4);
        if (m.isEmpty() || kind == 0) {
            m.append(static_cast<char>(rng()));
        } else if (kind == 1) {
            const int at = static_cast<int>(rng() % static_cast<unsigned>(m.size()));
            m[at] = static_cast<char>(m[at] ^ (1 << (rng() % 8)));
        } else if (kind == 2) {
            m.truncate(static_cast<int>(rng() % static_cast<unsigned>(m.size())));
        } else {
            const int at = static_cast<int>(rng() % static_cast<unsigned>(m.size()));
            const int len = std::min(static_cast<int>(rng() % 16) + 1, static_cast<int>(m.size()) - at);
            for (int j = 0; j < len; ++j)
                m[at + j] = static_cast<char>(rng());
        }
        Run(m);
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::mt19937 rng(4242);
    int files = 0;
    Run(QByteArray());
    for (int a = 1; a < argc; ++a) {
        QStringList paths;
        const QFileInfo info(QString::fromLocal8Bit(argv[a]));
        if (info.isDir()) {
            for (const QFileInfo &f : QDir(info.filePath()).entryInfoList(QDir::Files, QDir::Name))
                paths << f.filePath();
        } else {
            paths << info.filePath();
        }
        for (const QString &path : paths) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray seed = file.readAll();
            Run(seed);
            RunMutations(seed, rng, 1000);
            ++files;
        }
    }
    std::printf("replayed %d seed files with mutations\n", files);
    return 0;
}
