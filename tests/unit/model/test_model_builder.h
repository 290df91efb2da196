#pragma once
// Writes model files straight from the record layout, independently of the
// loader and of the figure generator, so the tests check both against it.

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "model/model_instance.h"

using Bytes = std::vector<std::uint8_t>;
using Shorts = std::vector<std::int16_t>;

// A run-length stream is a list of runs: a header, then the values of the
// run's first frames; the last value holds for the rest of its frames.
constexpr std::int16_t run(int values, int frames) { return static_cast<std::int16_t>(values | frames << 8); }

// Laid out as the bone record from its byte 32 on.
struct TestBone {
  std::int32_t parent = -1, flags = 0;
  std::array<std::int32_t, 6> controllerIndex{{-1, -1, -1, -1, -1, -1}};
  std::array<float, 6> defaultValue{}, scale{{1, 1, 1, 1, 1, 1}};
};
static_assert(sizeof(TestBone) == 112 - 32, "a bone record holds 112 bytes");
struct TestController { int type; float start, end; int slot; };
struct TestSequence {
  int frameCount = 2, motionFlags = 0;  // at 10 frames a second
  // blocks[block][bone][channel]: a stream or, when empty, none. Bones left
  // out have no streams; no blocks is one block.
  std::vector<std::vector<std::array<Shorts, 6>>> blocks;
};
// `image`: width x height palette indices, then a 768-byte palette.
struct TestTexture { int flags, width, height; Bytes image; };
// A submodel of one mesh on skin column 0, every vertex and normal on bone 0.
// `commands`: counts, each followed by (vertex, normal, s, t) entries; 0 ends.
struct TestSubmodel { std::vector<Vec3> vertices, normals; Shorts commands; };
struct TestModel {
  std::vector<TestBone> bones;
  std::vector<TestController> controllers;
  std::vector<TestSequence> sequences;
  std::vector<TestTexture> textures;  // none: the textures are in a texture file
  Shorts skins;                       // a texture number per skin row
  std::vector<std::vector<TestSubmodel>> bodyParts;  // the submodels of each
};

// Values are copied in host order: the tests run on little-endian machines,
// as the files are.
struct ByteWriter {
  Bytes bytes = Bytes(212);  // the header

  // Tables start on 4-byte boundaries as a writer would place them.
  std::size_t reserve(std::size_t size) {
    const std::size_t at = (bytes.size() + 3) / 4 * 4;
    bytes.resize(at + size);
    return at;
  }
  template <typename T>
  void put(std::size_t at, T v) { std::memcpy(&bytes[at], &v, sizeof v); }
  // Fields of one record, as (offset in the record, value).
  void int32s(std::size_t at, std::initializer_list<std::pair<std::size_t, std::int64_t>> fields) {
    for (const auto& field : fields) put(at + field.first, static_cast<std::int32_t>(field.second));
  }
  template <typename T>
  std::size_t raw(const std::vector<T>& values) {
    const std::size_t at = reserve(sizeof(T) * values.size());
    if (!values.empty()) std::memcpy(&bytes[at], values.data(), sizeof(T) * values.size());
    return at;
  }
  // A header table: its count at `countField`, its offset in the next field.
  std::size_t table(std::size_t countField, std::size_t count, std::size_t recordSize) {
    const std::size_t at = reserve(recordSize * count);
    int32s(countField, {{0, count}, {4, at}});
    return at;
  }
};

// A 12-byte record per block and bone, then the streams, whose offsets
// count from their record.
inline std::size_t writeAnimation(ByteWriter& w, const TestSequence& s, std::size_t bones) {
  const std::size_t start = w.reserve(12 * std::max<std::size_t>(1, s.blocks.size()) * bones);
  for (std::size_t b = 0; b < s.blocks.size(); ++b)
    for (std::size_t bone = 0; bone < s.blocks[b].size(); ++bone)
      for (int c = 0; c < 6; ++c) {
        const std::size_t record = start + 12 * (b * bones + bone);
        const Shorts& stream = s.blocks[b][bone][c];
        if (!stream.empty()) w.put(record + 2 * c, static_cast<std::int16_t>(w.raw(stream) - record));
      }
  return start;
}

inline Bytes writeTestModel(const TestModel& m) {
  ByteWriter w;
  const std::size_t bones = w.table(140, m.bones.size(), 112);
  for (std::size_t i = 0; i < m.bones.size(); ++i) w.put(bones + 112 * i + 32, m.bones[i]);
  const std::size_t controllers = w.table(148, m.controllers.size(), 24);
  for (std::size_t j = 0; j < m.controllers.size(); ++j) {
    w.int32s(controllers + 24 * j, {{4, m.controllers[j].type}, {20, m.controllers[j].slot}});
    w.put(controllers + 24 * j + 8, std::array<float, 2>{m.controllers[j].start, m.controllers[j].end});
  }
  // One sequence group, whose data offset of 0 makes animation offsets count
  // from the start of the main file.
  w.table(172, 1, 104);
  const std::size_t sequences = w.table(164, m.sequences.size(), 176);
  for (std::size_t n = 0; n < m.sequences.size(); ++n) {
    const TestSequence& s = m.sequences[n];
    const std::size_t at = sequences + 176 * n;
    w.put(at + 32, 10.0f);
    w.int32s(at, {{56, s.frameCount}, {68, s.motionFlags},
                  {120, std::max<std::size_t>(1, s.blocks.size())}, {124, writeAnimation(w, s, m.bones.size())}});
  }
  const std::size_t textures = w.table(180, m.textures.size(), 80);
  for (std::size_t i = 0; i < m.textures.size(); ++i) {
    const TestTexture& t = m.textures[i];
    w.int32s(textures + 80 * i, {{64, t.flags}, {68, t.width}, {72, t.height}, {76, w.raw(t.image)}});
  }
  w.int32s(0, {{192, m.skins.empty() ? 0 : 1}, {196, m.skins.size()}, {200, w.raw(m.skins)}});
  const std::size_t parts = w.table(204, m.bodyParts.size(), 76);
  // Body number bases: each the product of the submodel counts before it.
  for (std::size_t p = 0, base = 1; p < m.bodyParts.size(); base *= m.bodyParts[p++].size()) {
    const std::vector<TestSubmodel>& submodels = m.bodyParts[p];
    const std::size_t subs = w.reserve(112 * submodels.size());
    w.int32s(parts + 76 * p, {{64, submodels.size()}, {68, base}, {72, subs}});
    for (std::size_t s = 0; s < submodels.size(); ++s) {
      const TestSubmodel& sub = submodels[s];
      const std::size_t mesh = w.reserve(20);
      w.int32s(mesh, {{4, w.raw(sub.commands)}, {12, sub.normals.size()}});
      w.int32s(subs + 112 * s, {{72, 1}, {76, mesh}, {80, sub.vertices.size()}, {88, w.raw(sub.vertices)},
                                {84, w.raw(Bytes(sub.vertices.size()))}, {96, w.raw(Bytes(sub.normals.size()))},
                                {100, w.raw(sub.normals)}});
    }
  }
  return w.bytes;
}

// The stream of one channel, making room for the block and bone.
inline Shorts& streamOf(TestSequence& sequence, std::size_t block, std::size_t bone, int channel) {
  sequence.blocks.resize(std::max(sequence.blocks.size(), block + 1));
  sequence.blocks[block].resize(std::max(sequence.blocks[block].size(), bone + 1));
  return sequence.blocks[block][bone][channel];
}

// One bone, one two-frame sequence, one 2 x 2 texture, one triangle.
inline TestModel simpleTestModel() {
  TestModel m;
  m.bones.resize(1);
  m.sequences.resize(1);
  m.textures.push_back(TestTexture{0, 2, 2, Bytes(2 * 2 + 768)});
  m.skins = {0};
  m.bodyParts = {{TestSubmodel{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {}, {3, 0, 0, 0, 0, 1, 0, 2, 0, 2, 0, 0, 2, 0}}}};
  return m;
}

// Returns the loader's complaint, empty on success. With `upload` the
// textures go to the current OpenGL context first, as loading from disk does.
inline std::string adoptTestModel(ModelInstance& instance, const TestModel& model, bool upload = false) {
  Bytes file = writeTestModel(model);
  if (upload) uploadFileTextures(file.data());
  return instance.adoptFiles(std::move(file), {}, {});
}
