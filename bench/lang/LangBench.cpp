// lang_bench ours MODULE: loads a language module with its checks and reads every resource once.
// lang_bench qt MODULE: registers the same file with Qt's resource system and reads every file of it.
// Each prints seconds=<average time of one load> and entries=<resources read>.

#include "platform/base/Module.h"
#include "platform/base/ResourceFile.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QResource>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kRepeats = 20;

// The number of resources, so that a load that read nothing shows.
unsigned long LoadOurs(const char* path) {
    HMODULE module = LoadLibrary(path);
    if (!module) {
        return 0;
    }
    const unsigned long count = module->Resources()->GetCount();
    FreeLibrary(module);
    return count;
}

unsigned long LoadQts(const char* path) {
    if (!QResource::registerResource(path, "/bench")) {
        return 0;
    }
    unsigned long count = 0;
    for (QDirIterator it(":/bench", QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly) && !file.readAll().isNull()) {
            ++count;
        }
    }
    QResource::unregisterResource(path, "/bench");
    return count;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "ours") != 0 && std::strcmp(argv[1], "qt") != 0)) {
        std::fprintf(stderr, "usage: lang_bench ours|qt MODULE\n");
        return 2;
    }
    const bool ours = std::strcmp(argv[1], "ours") == 0;
    QElapsedTimer timer;
    timer.start();
    unsigned long entries = 0;
    for (int i = 0; i < kRepeats; ++i) {
        entries = ours ? LoadOurs(argv[2]) : LoadQts(argv[2]);
    }
    if (entries == 0) {
        return 1;
    }
    std::printf("seconds=%.6f entries=%lu\n", static_cast<double>(timer.nsecsElapsed()) / 1e9 / kRepeats,
                entries);
    return 0;
}
