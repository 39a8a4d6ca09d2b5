// main() of the replay programs: the fuzz target run once on every file of
// the directories given (corpus and past crash inputs), without libFuzzer,
// so that the ordinary and the sanitizer builds of the tests replay them.
//
//   lark_fuzz_values_replay fuzz/corpus/values fuzz/regressions/values

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Runs every regular file of dir in name order; -1 when dir cannot be read.
int ReplayDirectory(const QString& dir)
{
    const QFileInfo info(dir);
    if (!info.isDir()) {
        std::fprintf(stderr, "replay: %s is not a directory\n", qPrintable(dir));
        return -1;
    }
    const QFileInfoList files = QDir(dir).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    int count = 0;
    for (const QFileInfo& file : files) {
        QFile in(file.filePath());
        if (!in.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "replay: cannot read %s\n", qPrintable(file.filePath()));
            return -1;
        }
        const QByteArray bytes = in.readAll();
        // The name goes out first so that a crash names its input.
        std::fprintf(stderr, "replay: %s\n", qPrintable(file.fileName()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
        ++count;
    }
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR...\n", argv[0]);
        return 2;
    }
    int total = 0;
    for (int i = 1; i < argc; ++i) {
        const int n = ReplayDirectory(QString::fromLocal8Bit(argv[i]));
        if (n < 0)
            return 1;
        total += n;
    }
    if (total == 0) {
        std::fprintf(stderr, "replay: no input files\n");
        return 1;
    }
    std::printf("replayed %d inputs\n", total);
    return 0;
}
