#pragma once
// Layout of the model files (main file, texture file, sequence group files).
// Every table is found through a byte offset counted from the first byte of
// the file that holds it; records are read in place from the loaded buffer.
// Values are little-endian and may sit at any byte address, so they are
// assembled byte by byte rather than through casts.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/model_math.h"

namespace model_format {

inline std::int32_t readInt32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
      static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}
inline void writeInt32(std::uint8_t* p, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  p[0] = static_cast<std::uint8_t>(u);
  p[1] = static_cast<std::uint8_t>(u >> 8);
  p[2] = static_cast<std::uint8_t>(u >> 16);
  p[3] = static_cast<std::uint8_t>(u >> 24);
}
inline std::uint16_t readUint16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::int16_t readInt16(const std::uint8_t* p) {
  return static_cast<std::int16_t>(readUint16(p));
}
inline float readFloat(const std::uint8_t* p) {
  const auto bits = static_cast<std::uint32_t>(readInt32(p));
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}
inline Vec3 readVec3(const std::uint8_t* p) {
  return Vec3{readFloat(p), readFloat(p + 4), readFloat(p + 8)};
}

// Fixed limits of the work storage.
constexpr int maxBones = 128;
constexpr int maxVertices = 2048;
constexpr int maxNormals = 2048;
constexpr int maxSequenceGroups = 32;
constexpr int maxControllers = 4;

// ModelHeader: at offset 0 of the main file and of the texture file.
namespace header {
constexpr std::size_t boneCount = 140, boneOffset = 144;
constexpr std::size_t controllerCount = 148, controllerOffset = 152;
constexpr std::size_t sequenceCount = 164, sequenceOffset = 168;
constexpr std::size_t sequenceGroupCount = 172, sequenceGroupOffset = 176;
constexpr std::size_t textureCount = 180, textureOffset = 184;
constexpr std::size_t skinRefCount = 192, skinFamilyCount = 196, skinOffset = 200;
constexpr std::size_t bodyPartCount = 204, bodyPartOffset = 208;
constexpr std::size_t size = 212;  // bytes read through the header
}  // namespace header

namespace bone {
constexpr std::size_t size = 112;
constexpr std::size_t parent = 32, controllerIndex = 40, defaultValue = 64, scale = 88;
}  // namespace bone

namespace controller {
constexpr std::size_t size = 24;
constexpr std::size_t type = 4, start = 8, end = 12, slot = 20;
constexpr std::int32_t wrapping = 0x8000;
constexpr std::int32_t translationX = 1, translationY = 2, translationZ = 4;
constexpr std::int32_t rotationX = 8, rotationY = 16, rotationZ = 32;
constexpr std::int32_t anyRotation = rotationX | rotationY | rotationZ;
constexpr std::int32_t auxiliarySlot = 4;
}  // namespace controller

namespace sequence {
constexpr std::size_t size = 176;
constexpr std::size_t framesPerSecond = 32, frameCount = 56, motionFlags = 68,
                      motionBone = 72, blendCount = 120, animOffset = 124,
                      groupIndex = 156;
}  // namespace sequence

namespace sequence_group {
constexpr std::size_t dataOffset = 100;
constexpr std::size_t size = 104;  // bytes of the first record that are read
}  // namespace sequence_group

namespace bone_anim {
constexpr std::size_t size = 12;  // six uint16 stream offsets
}

namespace body_part {
constexpr std::size_t size = 76;
constexpr std::size_t submodelCount = 64, base = 68, submodelOffset = 72;
}  // namespace body_part

namespace submodel {
constexpr std::size_t size = 112;
constexpr std::size_t meshCount = 72, meshOffset = 76, vertexCount = 80,
                      vertexBoneOffset = 84, vertexOffset = 88,
                      normalBoneOffset = 96, normalOffset = 100;
}  // namespace submodel

namespace mesh {
constexpr std::size_t size = 20;
constexpr std::size_t commandOffset = 4, skinRef = 8, normalCount = 12;
}  // namespace mesh

namespace command_vertex {
constexpr std::size_t size = 8;  // vertexIndex, normalIndex, s, t as int16
}

namespace texture {
constexpr std::size_t size = 80;
constexpr std::size_t flags = 64, width = 68, height = 72, pixelOffset = 76;
constexpr std::int32_t chrome = 2;
constexpr std::size_t paletteSize = 768;
}  // namespace texture

}  // namespace model_format
