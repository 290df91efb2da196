#include "tests/unit/model/test_model_builder.h"

#include <cstring>

#include "model/model_instance.h"

namespace {

class ByteWriter {
 public:
  std::vector<std::uint8_t> bytes;

  std::size_t reserve(std::size_t size) {
    // Tables start on 4-byte boundaries as a writer would place them.
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    const std::size_t at = bytes.size();
    bytes.resize(at + size, 0);
    return at;
  }
  void int32(std::size_t at, std::int32_t v) { putInt32(bytes, at, v); }
  void int16(std::size_t at, std::int16_t v) {
    bytes[at] = static_cast<std::uint8_t>(v & 0xff);
    bytes[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xff);
  }
  void float32(std::size_t at, float v) {
    std::int32_t bits;
    std::memcpy(&bits, &v, 4);
    int32(at, bits);
  }
  // A header table: `count` records of `recordSize` bytes, with the count at
  // `countField` and the table's offset in the field right after it.
  std::size_t table(std::size_t countField, std::size_t count, std::size_t recordSize) {
    const std::size_t at = reserve(recordSize * count);
    int32(countField, static_cast<std::int32_t>(count));
    int32(countField + 4, static_cast<std::int32_t>(at));
    return at;
  }
  std::size_t points(const std::vector<TestPoint>& list) {
    const std::size_t at = reserve(12 * list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
      float32(at + 12 * i, list[i].x);
      float32(at + 12 * i + 4, list[i].y);
      float32(at + 12 * i + 8, list[i].z);
    }
    return at;
  }
  std::size_t raw(const std::vector<std::uint8_t>& data) {
    const std::size_t at = reserve(data.size());
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<long>(at));
    return at;
  }
  std::size_t shorts(const std::vector<std::int16_t>& values) {
    const std::size_t at = reserve(2 * values.size());
    for (std::size_t i = 0; i < values.size(); ++i) int16(at + 2 * i, values[i]);
    return at;
  }
};

// Animation blocks of one sequence: offsets records, then the streams right
// behind them (stream offsets count from each 12-byte record).
std::size_t writeAnimation(ByteWriter& w, const TestSequence& sequence) {
  const std::size_t records = sequence.streams.size() * (sequence.streams.empty() ? 0 : sequence.streams[0].size());
  const std::size_t start = w.reserve(12 * records);
  std::size_t record = start;
  for (const auto& block : sequence.streams) {
    for (const auto& bone : block) {
      for (int c = 0; c < 6; ++c) {
        if (bone[c].empty()) continue;
        std::vector<std::int16_t> words;
        for (const TestRun& run : bone[c]) {
          words.push_back(static_cast<std::int16_t>(run.values.size() | (run.totalCount << 8)));
          words.insert(words.end(), run.values.begin(), run.values.end());
        }
        const std::size_t at = w.shorts(words);
        w.int16(record + 2 * c, static_cast<std::int16_t>(at - record));
      }
      record += 12;
    }
  }
  return start;
}

void writeTextures(ByteWriter& w, const TestModel& model) {
  const std::size_t table = w.table(180, model.textures.size(), 80);
  for (std::size_t i = 0; i < model.textures.size(); ++i) {
    const TestTexture& t = model.textures[i];
    const std::size_t record = table + 80 * i;
    w.int32(record + 64, t.flags);
    w.int32(record + 68, t.width);
    w.int32(record + 72, t.height);
    std::vector<std::uint8_t> image = t.pixels;
    image.insert(image.end(), t.palette.begin(), t.palette.end());
    w.int32(record + 76, static_cast<std::int32_t>(w.raw(image)));
  }
  std::vector<std::int16_t> skinEntries;
  for (const auto& row : model.skins) skinEntries.insert(skinEntries.end(), row.begin(), row.end());
  w.int32(192, model.skinRefCount);
  w.int32(196, static_cast<std::int32_t>(model.skins.size()));
  w.int32(200, static_cast<std::int32_t>(w.shorts(skinEntries)));
}

void writeBodyParts(ByteWriter& w, const TestModel& model) {
  const std::size_t parts = w.table(204, model.bodyParts.size(), 76);
  for (std::size_t p = 0; p < model.bodyParts.size(); ++p) {
    const TestBodyPart& part = model.bodyParts[p];
    const std::size_t subs = w.reserve(112 * part.submodels.size());
    w.int32(parts + 76 * p + 64, static_cast<std::int32_t>(part.submodels.size()));
    w.int32(parts + 76 * p + 68, part.base);
    w.int32(parts + 76 * p + 72, static_cast<std::int32_t>(subs));
    for (std::size_t s = 0; s < part.submodels.size(); ++s) {
      const TestSubmodel& sub = part.submodels[s];
      const std::size_t record = subs + 112 * s;
      const std::size_t meshes = w.reserve(20 * sub.meshes.size());
      w.int32(record + 72, static_cast<std::int32_t>(sub.meshes.size()));
      w.int32(record + 76, static_cast<std::int32_t>(meshes));
      w.int32(record + 80, static_cast<std::int32_t>(sub.vertices.size()));
      w.int32(record + 84, static_cast<std::int32_t>(w.raw(sub.vertexBones)));
      w.int32(record + 88, static_cast<std::int32_t>(w.points(sub.vertices)));
      w.int32(record + 96, static_cast<std::int32_t>(w.raw(sub.normalBones)));
      w.int32(record + 100, static_cast<std::int32_t>(w.points(sub.normals)));
      for (std::size_t m = 0; m < sub.meshes.size(); ++m) {
        w.int32(meshes + 20 * m + 4, static_cast<std::int32_t>(w.shorts(sub.meshes[m].commands)));
        w.int32(meshes + 20 * m + 8, sub.meshes[m].skinRef);
        w.int32(meshes + 20 * m + 12, sub.meshes[m].normalCount);
      }
    }
  }
}

}  // namespace

void putInt32(std::vector<std::uint8_t>& file, std::size_t at, std::int32_t v) {
  for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xff);
}

std::int32_t getInt32(const std::vector<std::uint8_t>& file, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(file[at + i]) << (8 * i);
  return static_cast<std::int32_t>(v);
}

TestModelFiles writeTestModel(const TestModel& model) {
  TestModelFiles files;
  ByteWriter w;
  w.reserve(212);

  const std::size_t bones = w.table(140, model.bones.size(), 112);
  for (std::size_t i = 0; i < model.bones.size(); ++i) {
    const TestBone& b = model.bones[i];
    const std::size_t record = bones + 112 * i;
    w.int32(record + 32, b.parent);
    for (int c = 0; c < 6; ++c) {
      w.int32(record + 40 + 4 * c, b.controllerIndex[c]);
      w.float32(record + 64 + 4 * c, b.defaultValue[c]);
      w.float32(record + 88 + 4 * c, b.scale[c]);
    }
  }

  const std::size_t controllers = w.table(148, model.controllers.size(), 24);
  for (std::size_t j = 0; j < model.controllers.size(); ++j) {
    const TestController& c = model.controllers[j];
    w.int32(controllers + 24 * j + 4, c.type);
    w.float32(controllers + 24 * j + 8, c.start);
    w.float32(controllers + 24 * j + 12, c.end);
    w.int32(controllers + 24 * j + 20, c.slot);
  }

  // Group 0 data sits behind an offset of 0 in the first group record, so
  // animation offsets of group 0 count from the start of the main file.
  w.table(172, static_cast<std::size_t>(model.sequenceGroupCount), 104);
  std::vector<ByteWriter> groupWriters(model.sequenceGroupCount > 1 ? model.sequenceGroupCount - 1 : 0);
  for (ByteWriter& g : groupWriters) g.reserve(212);

  const std::size_t sequences = w.table(164, model.sequences.size(), 176);
  for (std::size_t n = 0; n < model.sequences.size(); ++n) {
    const TestSequence& s = model.sequences[n];
    const std::size_t record = sequences + 176 * n;
    w.float32(record + 32, s.framesPerSecond);
    w.int32(record + 56, s.frameCount);
    w.int32(record + 68, s.motionFlags);
    w.int32(record + 72, s.motionBone);
    w.int32(record + 120, s.blendCount);
    w.int32(record + 156, s.groupIndex);
    ByteWriter& target = s.groupIndex == 0 ? w : groupWriters[s.groupIndex - 1];
    w.int32(record + 124, static_cast<std::int32_t>(writeAnimation(target, s)));
  }

  if (model.separateTextureFile) {
    ByteWriter t;
    t.reserve(212);
    writeTextures(t, model);
    files.texture = t.bytes;
  } else {
    writeTextures(w, model);
  }
  writeBodyParts(w, model);
  files.main = w.bytes;
  for (ByteWriter& g : groupWriters) files.groups.push_back(g.bytes);
  return files;
}

TestModel simpleTestModel() {
  TestModel model;
  model.bones.resize(1);
  TestSequence sequence;
  sequence.streams.resize(1);
  sequence.streams[0].resize(1);
  model.sequences.push_back(sequence);
  TestTexture texture;
  texture.pixels = {0, 1, 1, 0};
  texture.palette.assign(768, 0);
  texture.palette[3] = texture.palette[4] = texture.palette[5] = 255;
  model.textures.push_back(texture);
  model.skins = {{0}};
  TestSubmodel sub;
  sub.vertexBones = {0, 0, 0};
  sub.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  sub.meshes.push_back(TestMesh{0, 0, {3, 0, 0, 0, 0, 1, 0, 2, 0, 2, 0, 0, 2, 0}});
  model.bodyParts.push_back(TestBodyPart{1, {sub}});
  return model;
}

std::string adoptTestModel(ModelInstance& instance, const TestModel& model, bool upload) {
  TestModelFiles files = writeTestModel(model);
  if (upload) {
    uploadFileTextures(files.main.data());
    if (!files.texture.empty()) uploadFileTextures(files.texture.data());
  }
  return instance.adoptFiles(std::move(files.main), std::move(files.texture), std::move(files.groups));
}
