#include "tools/datagen/wave_file.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/byte_writer.h"

std::vector<uint8_t> encodeWave16(const std::vector<float>& samples, float peak) {
  float loudest = 0.0f;
  for (float s : samples) loudest = std::max(loudest, std::fabs(s));
  float gain = loudest > 0.0f ? peak * 32767.0f / loudest : 0.0f;

  uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  ByteWriter out;
  out.fourcc("RIFF");
  out.u32(36 + dataBytes);
  out.fourcc("WAVE");
  out.fourcc("fmt ");
  out.u32(16);
  out.u16(1);  // PCM
  out.u16(1);  // mono
  out.u32(kSampleRate);
  out.u32(kSampleRate * 2);  // bytes per second
  out.u16(2);                // block align
  out.u16(16);               // bits per sample
  out.fourcc("data");
  out.u32(dataBytes);
  for (float s : samples) out.u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(s * gain))));
  return out.bytes();
}
