#pragma once
// The click sounds of the buttons, synthesised: short, soft and free of clicks at their ends.

#include <string>
#include <vector>

namespace SkinGen {

inline constexpr int kSoundRate = 22050;

struct SoundArt {
    std::string fileName;
    std::vector<float> samples;
};

std::vector<SoundArt> MakeSounds();

} // namespace SkinGen
