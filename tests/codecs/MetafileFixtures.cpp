#include "MetafileFixtures.h"

#include "tests/support/TempFolder.h"

#include <filesystem>

namespace fs = std::filesystem;

CExtMgr& WmfCodec() {
    static const std::unique_ptr<CExtMgr> manager = [] {
        static TempFolder folder;
        const fs::path plugins = fs::path(folder.Path().str()) / "plugins";
        fs::create_directories(plugins);
        fs::create_symlink(fs::path(VC_PROGRAM_DIR) / "plugins" / "codecwmf.phl", plugins / "codecwmf.phl");
        auto loaded = std::make_unique<CExtMgr>(folder.Path());
        loaded->LoadPlugins();
        return loaded;
    }();
    return *manager;
}

std::string MetafileFixture(const std::string& kind, const std::string& name, const std::string& sizes) {
    const std::string path = ScratchPath(name + "." + kind);
    const std::string command = "/usr/bin/python3 '" VC_SOURCE_DIR "/tests/codecs/make_" + kind + ".py' " +
                                name + " '" + path + "' " + sizes;
    return RunTool(command) == 0 ? path : std::string();
}

LoadedMetafile LoadMetafile(const std::string& path) {
    CPictureInfo* mask = nullptr;
    LoadedMetafile loaded;
    loaded.picture.reset(WmfCodec().LoadFile(path.c_str(), mask, 0));
    loaded.mask.reset(mask);
    return loaded;
}
