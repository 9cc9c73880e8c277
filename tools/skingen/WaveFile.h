#pragma once
// RIFF WAVE files of 16-bit mono PCM, the format the button sounds are played from.

#include <QByteArray>
#include <vector>

namespace SkinGen {

// Samples in -1..1; values beyond are clipped.
QByteArray EncodeWave(const std::vector<float>& samples, int sampleRate);

} // namespace SkinGen
