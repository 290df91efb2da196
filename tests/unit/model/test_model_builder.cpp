#include "tests/unit/model/test_model_builder.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "model/model_instance.h"

namespace {

// Values are copied in host order: the tests run on little-endian machines,
// as the files are.
class ByteWriter {
 public:
  Bytes bytes = Bytes(212);  // the header

  // Tables start on 4-byte boundaries as a writer would place them.
  std::size_t reserve(std::size_t size) {
    const std::size_t at = (bytes.size() + 3) / 4 * 4;
    bytes.resize(at + size);
    return at;
  }
  template <typename T>
  void put(std::size_t at, T v) { std::memcpy(&bytes[at], &v, sizeof v); }
  void int32(std::size_t at, std::int64_t v) { put(at, static_cast<std::int32_t>(v)); }
  // Fields of one record, as (offset in the record, value).
  void int32s(std::size_t at, std::initializer_list<std::pair<std::size_t, std::int64_t>> fields) {
    for (const auto& field : fields) int32(at + field.first, field.second);
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
    int32(countField, count);
    int32(countField + 4, at);
    return at;
  }
};

// A 12-byte record per block and bone, then the streams, whose offsets
// count from their record.
std::size_t writeAnimation(ByteWriter& w, const TestSequence& s, std::size_t bones) {
  const std::size_t blocks = std::max<std::size_t>(1, s.blocks.size());
  const std::size_t start = w.reserve(12 * blocks * bones);
  for (std::size_t b = 0; b < s.blocks.size(); ++b) {
    for (std::size_t bone = 0; bone < s.blocks[b].size(); ++bone) {
      const std::size_t record = start + 12 * (b * bones + bone);
      for (int c = 0; c < 6; ++c) {
        if (s.blocks[b][bone][c].empty()) continue;
        Shorts words;
        for (const TestRun& run : s.blocks[b][bone][c]) {
          words.push_back(static_cast<std::int16_t>(run.values.size() | run.frames << 8));
          words.insert(words.end(), run.values.begin(), run.values.end());
        }
        w.put(record + 2 * c, static_cast<std::int16_t>(w.raw(words) - record));
      }
    }
  }
  return start;
}

}  // namespace

Bytes writeTestModel(const TestModel& m) {
  ByteWriter w;
  const std::size_t bones = w.table(140, m.bones.size(), 112);
  for (std::size_t i = 0; i < m.bones.size(); ++i) {
    const std::size_t at = bones + 112 * i;
    w.int32(at + 32, m.bones[i].parent);
    w.put(at + 40, m.bones[i].controllerIndex);
    w.put(at + 64, m.bones[i].defaultValue);
    w.put(at + 88, m.bones[i].scale);
  }
  const std::size_t controllers = w.table(148, m.controllers.size(), 24);
  for (std::size_t j = 0; j < m.controllers.size(); ++j) {
    w.int32s(controllers + 24 * j, {{4, m.controllers[j].type}, {20, m.controllers[j].slot}});
    w.put(controllers + 24 * j + 8, m.controllers[j].start);
    w.put(controllers + 24 * j + 12, m.controllers[j].end);
  }
  // One sequence group, whose data offset of 0 makes animation offsets count
  // from the start of the main file.
  w.table(172, 1, 104);
  const std::size_t sequences = w.table(164, m.sequences.size(), 176);
  for (std::size_t n = 0; n < m.sequences.size(); ++n) {
    const TestSequence& s = m.sequences[n];
    const std::size_t at = sequences + 176 * n;
    w.put(at + 32, s.framesPerSecond);
    w.int32s(at, {{56, s.frameCount}, {68, s.motionFlags}, {72, s.motionBone},
                  {120, std::max<std::size_t>(1, s.blocks.size())}, {124, writeAnimation(w, s, m.bones.size())}});
  }
  const std::size_t textures = w.table(180, m.textures.size(), 80);
  for (std::size_t i = 0; i < m.textures.size(); ++i) {
    const TestTexture& t = m.textures[i];
    Bytes image = t.pixels;
    image.insert(image.end(), t.palette.begin(), t.palette.end());
    w.int32s(textures + 80 * i, {{64, t.flags}, {68, t.width}, {72, t.height}, {76, w.raw(image)}});
  }
  Shorts skinEntries;
  for (const Shorts& row : m.skins) skinEntries.insert(skinEntries.end(), row.begin(), row.end());
  w.int32s(0, {{192, m.skins.empty() ? 0 : m.skins[0].size()}, {196, m.skins.size()}, {200, w.raw(skinEntries)}});
  const std::size_t parts = w.table(204, m.bodyParts.size(), 76);
  for (std::size_t p = 0; p < m.bodyParts.size(); ++p) {
    const std::vector<TestSubmodel>& submodels = m.bodyParts[p].submodels;
    const std::size_t subs = w.reserve(112 * submodels.size());
    w.int32s(parts + 76 * p, {{64, submodels.size()}, {68, m.bodyParts[p].base}, {72, subs}});
    for (std::size_t s = 0; s < submodels.size(); ++s) {
      const TestSubmodel& sub = submodels[s];
      const std::size_t meshes = w.reserve(20 * sub.meshes.size());
      w.int32s(subs + 112 * s, {{72, sub.meshes.size()}, {76, meshes}, {80, sub.vertices.size()},
                                {84, w.raw(sub.vertexBones)}, {88, w.raw(sub.vertices)},
                                {96, w.raw(sub.normalBones)}, {100, w.raw(sub.normals)}});
      for (std::size_t k = 0; k < sub.meshes.size(); ++k) {
        const TestMesh& mesh = sub.meshes[k];
        w.int32s(meshes + 20 * k, {{4, w.raw(mesh.commands)}, {8, mesh.skinRef}, {12, mesh.normalCount}});
      }
    }
  }
  return w.bytes;
}

TestStream& streamOf(TestSequence& sequence, int block, int bone, int channel) {
  if (sequence.blocks.size() <= static_cast<std::size_t>(block)) sequence.blocks.resize(block + 1);
  auto& bones = sequence.blocks[block];
  if (bones.size() <= static_cast<std::size_t>(bone)) bones.resize(bone + 1);
  return bones[bone][channel];
}

TestModel simpleTestModel() {
  TestModel m;
  m.bones.resize(1);
  m.sequences.resize(1);
  Bytes palette(768, 0);
  palette[3] = palette[4] = palette[5] = 255;  // entry 1 is white
  m.textures.push_back(TestTexture{0, 2, 2, {0, 1, 1, 0}, palette});
  m.skins = {{0}};
  const TestMesh triangle{0, 0, {3, 0, 0, 0, 0, 1, 0, 2, 0, 2, 0, 0, 2, 0}};
  m.bodyParts.push_back(TestBodyPart{1, {TestSubmodel{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {}, {0, 0, 0}, {}, {triangle}}}});
  return m;
}

std::string adoptTestModel(ModelInstance& instance, const TestModel& model, bool upload) {
  Bytes file = writeTestModel(model);
  if (upload) uploadFileTextures(file.data());
  return instance.adoptFiles(std::move(file), {}, {});
}
