#pragma once
// The metafile plug-in loaded on its own, the fixture generators beside this file, and loading with the
// mask, for the metafile tests and their gallery.

#include "CodecTestSupport.h"

// codecwmf alone, from the program folder. Loaded on first use.
CExtMgr& WmfCodec();

// A fixture written by make_wmf.py ("wmf") or make_emf.py ("emf") into the scratch folder: its path, or
// an empty string when the generator failed.
std::string MetafileFixture(const std::string& kind, const std::string& name, const std::string& sizes = "");

struct LoadedMetafile {
    PicturePtr picture;
    PicturePtr mask;
};

LoadedMetafile LoadMetafile(const std::string& path);
