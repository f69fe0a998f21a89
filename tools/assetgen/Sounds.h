// The game's sound effects, synthesised with integer arithmetic, and their WAV encoding.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/Bytes.h"

namespace assetgen {

constexpr int SampleRate = 22050;

struct Sound {
    std::string fileName;               // e.g. "hit1.wav"
    std::vector<std::int16_t> samples;  // mono, SampleRate per second
};

// welcome, applause, hit1, hit2, hit3, miss and goaway.
std::vector<Sound> MakeSounds();
// A RIFF WAVE file: PCM, 16 bits, one channel.
Bytes EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate);

}  // namespace assetgen
