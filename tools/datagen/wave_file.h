#pragma once
// PCM WAV files: 16-bit mono at the generator's sample rate.
#include <cstdint>
#include <vector>

constexpr int kSampleRate = 22050;

// `samples` in [-1, 1]; they are scaled so that the loudest sample reaches
// `peak` of full scale, which keeps every sound clear of clipping.
std::vector<uint8_t> encodeWave16(const std::vector<float>& samples, float peak = 0.9f);
