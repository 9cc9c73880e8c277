#pragma once
// A photo-like test picture drawn by program: a landscape under a sky with the sun, hills, a lake and a
// face with red eyes, with film grain. The same size and variant always give the same pixels, so the
// benchmarks, the picture gallery of the adjustments and the shipped sample photos need no picture files.

#include "platform/base/WinStructs.h"

#include <array>
#include <vector>

struct SceneColour {
    double r, g, b;
};

// What a variant changes: light and season through the colours, framing through the face, the lake's
// shore and the trees. The defaults draw the original scene.
struct SceneVariant {
    SceneColour skyTop{70, 125, 205};
    SceneColour skyHorizon{205, 225, 240};
    SceneColour sunGlow{255, 245, 200};
    SceneColour sunDisc{255, 246, 214};
    double sunX = 0.8; // of the picture's width
    double sunY = 0.17;
    SceneColour rockTop{115, 130, 160};
    SceneColour rockFoot{80, 95, 110};
    SceneColour grassTop{80, 150, 60};
    SceneColour grassFoot{35, 85, 30};
    SceneColour waterTop{60, 110, 160};
    SceneColour waterFoot{25, 60, 100};
    double shore = 0.8; // where the lake begins, down the height; beyond 1 there is none
    double trees = 0;   // the height of a band of tree crowns on the near hill; 0 none
    SceneColour crownLight{0, 0, 0};
    SceneColour crownDark{0, 0, 0};
    double flowers = 0; // share of meadow pixels that are blossoms
    double fog = 0;     // how much the distance and the water fade into the haze colour
    SceneColour haze{0, 0, 0};
    bool face = true;
    bool redEyes = true; // else dark pupils with a catch light
    double faceX = 0.3;  // the face's centre across the width, in height units per aspect
    double faceY = 0.56; // the face's centre down the height
    double faceScale = 1;
    bool smile = false;     // the mouth's corners up
    bool shoulders = false; // a shirt below the face
    SceneColour shirt{0, 0, 0};
    double grain = 2; // film grain in levels
};

// A packed 24-bit DIB (40-byte header, no colour table, bottom-up rows) of width x height.
std::vector<BYTE> MakePhotoScene(int width, int height, const SceneVariant& variant = {});

// Where the pupils of the face lie, relative to the picture (0..1, top 0), with a little room around.
struct SceneRect {
    double left;
    double right;
    double top;
    double bottom;
};
std::array<SceneRect, 2> PhotoSceneEyes(int width, int height, const SceneVariant& variant = {});
