#include "tools/datagen/figure/figure_file.h"

#include <cmath>
#include <cstdio>

#include "tools/datagen/figure/figure_animation.h"
#include "tools/datagen/byte_writer.h"
#include "tools/datagen/figure/figure_mesh.h"
#include "tools/datagen/figure/figure_skeleton.h"
#include "tools/datagen/figure/figure_textures.h"

namespace {

// Record sizes and field offsets of the format, as this writer lays it out.
namespace layout {
constexpr size_t headerSize = 212;
// Each table's offset field follows its count field.
constexpr size_t boneCount = 140, controllerCount = 148, sequenceCount = 164, groupCount = 172,
                 textureCount = 180, skinRefCount = 192, skinFamilyCount = 196, skinOffset = 200,
                 bodyPartCount = 204;
constexpr size_t boneSize = 112, boneParent = 32, boneController = 40, boneDefault = 64, boneScale = 88;
constexpr size_t controllerSize = 24, controllerType = 4, controllerStart = 8, controllerEnd = 12,
                 controllerSlot = 20;
constexpr size_t sequenceSize = 176, sequenceFps = 32, sequenceFrames = 56, sequenceBlends = 120,
                 sequenceAnim = 124, sequenceGroup = 156;
constexpr size_t groupSize = 104, groupData = 100;
constexpr size_t bodyPartSize = 76, partSubmodels = 64, partBase = 68, partOffset = 72;
constexpr size_t submodelSize = 112, subMeshCount = 72, subMeshOffset = 76, subVertexCount = 80,
                 subVertexBones = 84, subVertices = 88, subNormalBones = 96, subNormals = 100;
constexpr size_t meshSize = 20, meshCommands = 4, meshSkinRef = 8, meshNormals = 12;
constexpr size_t textureSize = 80, textureFlags = 64, textureWidth = 68, textureHeight = 72,
                 texturePixels = 76;
constexpr int chromeFlag = 2;
}  // namespace layout

constexpr float kPositionScale = 0.02f;  // model units per stored step
constexpr float kRotationScale = 0.0005f;  // radians per stored step
constexpr int kHeadTurnController = 0;

void writeHeaderTag(ByteWriter& f, const char* what) { f.setText(0, std::string("BRKM ") + what, 64); }

// Run-length encoding: runs of at most 255 frames; a run stores values up
// to the point from which its frames all repeat the last one.
std::vector<int16_t> encodeStream(const std::vector<int>& values) {
  std::vector<int16_t> words;
  for (size_t start = 0; start < values.size();) {
    const size_t total = std::min<size_t>(255, values.size() - start);
    const int last = values[start + total - 1];
    size_t valid = total;
    while (valid > 1 && values[start + valid - 2] == last) --valid;
    words.push_back(static_cast<int16_t>(valid | (total << 8)));
    for (size_t i = 0; i < valid; ++i) words.push_back(static_cast<int16_t>(values[start + i]));
    start += total;
  }
  return words;
}

float defaultValue(int bone, int channel) {
  const Float3 offset = kBones[static_cast<size_t>(bone)].offset;
  const float rest[6] = {offset.x, offset.y, offset.z, 0, 0, 0};
  return rest[channel];
}

float channelOf(const FigurePose& pose, int bone, int channel) {
  if (channel >= 3) {
    const Float3 r = pose.rotation[bone];
    return channel == 3 ? r.x : channel == 4 ? r.y : r.z;
  }
  Float3 p = kBones[static_cast<size_t>(bone)].offset;
  if (bone == Pelvis) p = p + pose.pelvisShift;
  return channel == 0 ? p.x : channel == 1 ? p.y : p.z;
}

// Appends a sequence's animation (one block: offsets per bone, then the
// streams) and returns where it starts, or -1 when it does not fit.
long appendAnimation(ByteWriter& f, const FigureSequence& sequence) {
  // Streams cover the sequence's own frames; one of 0 frames still shows
  // frame 0.
  const int frames = std::max(sequence.frameCount, 1);
  std::vector<FigurePose> poses;
  poses.reserve(static_cast<size_t>(frames));
  for (int frame = 0; frame < frames; ++frame) poses.push_back(sequence.pose(frame));

  const size_t records = f.reserve(12 * BoneCount);
  for (int bone = 0; bone < BoneCount; ++bone) {
    for (int channel = 0; channel < 6; ++channel) {
      const float scale = channel < 3 ? kPositionScale : kRotationScale;
      std::vector<int> values;
      bool moves = false;
      for (const FigurePose& pose : poses) {
        const long q = std::lround((channelOf(pose, bone, channel) - defaultValue(bone, channel)) / scale);
        if (q < -32768 || q > 32767) {
          std::fprintf(stderr, "figuregen: %s: bone %d channel %d is out of range\n", sequence.name.c_str(), bone, channel);
          return -1;
        }
        values.push_back(static_cast<int>(q));
        moves = moves || q != 0;
      }
      if (!moves) continue;
      const size_t record = records + 12 * static_cast<size_t>(bone);
      const size_t stream = f.appendShorts(encodeStream(values));
      if (stream - record > 65535) {
        std::fprintf(stderr, "figuregen: %s: animation streams exceed 64 KB\n", sequence.name.c_str());
        return -1;
      }
      f.setI16(record + 2 * static_cast<size_t>(channel), static_cast<int>(stream - record));
    }
  }
  return static_cast<long>(records);
}

void writeBones(ByteWriter& f) {
  const size_t table = f.table(layout::boneCount, BoneCount, layout::boneSize);
  for (int b = 0; b < BoneCount; ++b) {
    const size_t record = table + layout::boneSize * static_cast<size_t>(b);
    f.setText(record, kBones[static_cast<size_t>(b)].name, 32);
    f.setI32(record + layout::boneParent, kBones[static_cast<size_t>(b)].parent);
    for (int c = 0; c < 6; ++c) {
      const bool headTurn = b == Head && c == 5;
      f.setI32(record + layout::boneController + 4 * static_cast<size_t>(c), headTurn ? kHeadTurnController : -1);
      f.setF32(record + layout::boneDefault + 4 * static_cast<size_t>(c), defaultValue(b, c));
      f.setF32(record + layout::boneScale + 4 * static_cast<size_t>(c), c < 3 ? kPositionScale : kRotationScale);
    }
  }
}

// One controller: the head turns about z by -60 .. 60 degrees (slot 0).
void writeControllers(ByteWriter& f) {
  const size_t table = f.table(layout::controllerCount, 1, layout::controllerSize);
  f.setI32(table + layout::controllerType, 32);
  f.setF32(table + layout::controllerStart, -60.0f);
  f.setF32(table + layout::controllerEnd, 60.0f);
  f.setI32(table + layout::controllerSlot, 0);
}

bool writeSequences(ByteWriter& main, ByteWriter& group1) {
  const std::vector<FigureSequence> sequences = soldierSequences();
  // Group 0's data offset is 0: its animation offsets count from the start
  // of the main file.
  const size_t groups = main.table(layout::groupCount, 2, layout::groupSize);
  main.setText(groups, "default", 64);
  main.setText(groups + layout::groupSize, "gign01", 64);

  const size_t table = main.table(layout::sequenceCount, sequences.size(), layout::sequenceSize);
  for (size_t n = 0; n < sequences.size(); ++n) {
    const FigureSequence& s = sequences[n];
    const size_t record = table + layout::sequenceSize * n;
    main.setText(record, s.name, 32);
    main.setF32(record + layout::sequenceFps, s.framesPerSecond);
    main.setI32(record + layout::sequenceFrames, s.frameCount);
    main.setI32(record + layout::sequenceBlends, 1);
    main.setI32(record + layout::sequenceGroup, s.group);
    const long animation = appendAnimation(s.group == 0 ? main : group1, s);
    if (animation < 0) return false;
    main.setI32(record + layout::sequenceAnim, static_cast<int32_t>(animation));
  }
  return true;
}

size_t writeSubmodel(ByteWriter& f, size_t record, const FigureSubmodel& sub) {
  std::vector<int16_t> normalBones;
  std::vector<Float3> normals;
  const size_t meshes = f.reserve(layout::meshSize * sub.meshes.size());
  f.setI32(record + layout::subMeshCount, static_cast<int32_t>(sub.meshes.size()));
  f.setI32(record + layout::subMeshOffset, static_cast<int32_t>(meshes));
  std::vector<uint8_t> allNormalBones;
  for (size_t m = 0; m < sub.meshes.size(); ++m) {
    const FigureMesh& mesh = sub.meshes[m];
    const int normalBase = static_cast<int>(normals.size());
    normals.insert(normals.end(), mesh.normals.begin(), mesh.normals.end());
    allNormalBones.insert(allNormalBones.end(), mesh.normalBones.begin(), mesh.normalBones.end());
    std::vector<int16_t> commands;
    for (const Primitive& primitive : mesh.primitives) {
      const int count = static_cast<int>(primitive.vertices.size());
      commands.push_back(static_cast<int16_t>(primitive.fan ? -count : count));
      for (const CommandVertex& v : primitive.vertices) {
        commands.insert(commands.end(), {static_cast<int16_t>(v.vertex), static_cast<int16_t>(normalBase + v.normal),
                                         static_cast<int16_t>(v.s), static_cast<int16_t>(v.t)});
      }
    }
    commands.push_back(0);
    const size_t meshRecord = meshes + layout::meshSize * m;
    f.setI32(meshRecord + layout::meshCommands, static_cast<int32_t>(f.appendShorts(commands)));
    f.setI32(meshRecord + layout::meshSkinRef, mesh.skinColumn);
    f.setI32(meshRecord + layout::meshNormals, static_cast<int32_t>(mesh.normals.size()));
  }
  auto appendPoints = [&f](const std::vector<Float3>& points) {
    const size_t at = f.reserve(12 * points.size());
    for (size_t i = 0; i < points.size(); ++i) {
      f.setF32(at + 12 * i, points[i].x);
      f.setF32(at + 12 * i + 4, points[i].y);
      f.setF32(at + 12 * i + 8, points[i].z);
    }
    return at;
  };
  f.setI32(record + layout::subVertexCount, static_cast<int32_t>(sub.vertices.size()));
  f.setI32(record + layout::subVertexBones, static_cast<int32_t>(f.appendBytes(sub.vertexBones)));
  f.setI32(record + layout::subVertices, static_cast<int32_t>(appendPoints(sub.vertices)));
  f.setI32(record + layout::subNormalBones, static_cast<int32_t>(f.appendBytes(allNormalBones)));
  f.setI32(record + layout::subNormals, static_cast<int32_t>(appendPoints(normals)));
  return normals.size();
}

// Body part 0: the soldier; body part 1: the rifle or empty hands.
void writeBodyParts(ByteWriter& f) {
  const std::vector<std::vector<FigureSubmodel>> parts = {{buildSoldierBody()}, {buildRifle(), FigureSubmodel{}}};
  const char* names[] = {"body", "weapon"};
  const size_t table = f.table(layout::bodyPartCount, parts.size(), layout::bodyPartSize);
  for (size_t p = 0; p < parts.size(); ++p) {
    const size_t part = table + layout::bodyPartSize * p;
    f.setText(part, names[p], 64);
    f.setI32(part + layout::partSubmodels, static_cast<int32_t>(parts[p].size()));
    f.setI32(part + layout::partBase, 1);
    const size_t submodels = f.reserve(layout::submodelSize * parts[p].size());
    f.setI32(part + layout::partOffset, static_cast<int32_t>(submodels));
    for (size_t s = 0; s < parts[p].size(); ++s) writeSubmodel(f, submodels + layout::submodelSize * s, parts[p][s]);
  }
}

// Texture file: the textures and a skin table of two families (dark and
// olive uniform) over the four skin columns.
void writeTextureFile(ByteWriter& f) {
  writeHeaderTag(f, "gign textures");
  const std::vector<PalettedTexture> textures = soldierTextures();
  const size_t table = f.table(layout::textureCount, textures.size(), layout::textureSize);
  for (size_t i = 0; i < textures.size(); ++i) {
    const PalettedTexture& t = textures[i];
    const size_t record = table + layout::textureSize * i;
    f.setText(record, t.name, 64);
    f.setI32(record + layout::textureFlags, t.chrome ? layout::chromeFlag : 0);
    f.setI32(record + layout::textureWidth, t.width);
    f.setI32(record + layout::textureHeight, t.height);
    std::vector<uint8_t> image = t.pixels;
    image.insert(image.end(), t.palette.begin(), t.palette.end());
    f.setI32(record + layout::texturePixels, static_cast<int32_t>(f.appendBytes(image)));
  }
  const std::vector<int16_t> skins = {0, 1, 2, 3, 4, 1, 2, 3};
  f.setI32(layout::skinRefCount, SkinColumnCount);
  f.setI32(layout::skinFamilyCount, 2);
  f.setI32(layout::skinOffset, static_cast<int32_t>(f.appendShorts(skins)));
}

}  // namespace

bool buildSoldierFiles(FigureFiles& files) {
  ByteWriter main, textures, group1;
  main.reserve(layout::headerSize);
  textures.reserve(layout::headerSize);
  group1.reserve(layout::headerSize);
  writeHeaderTag(main, "gign");
  writeHeaderTag(group1, "gign sequence group 1");
  writeBones(main);
  writeControllers(main);
  if (!writeSequences(main, group1)) return false;
  writeBodyParts(main);  // textureCount stays 0: the textures are in gignT.mdl
  writeTextureFile(textures);
  files.main = main.bytes();
  files.textures = textures.bytes();
  files.group1 = group1.bytes();
  return true;
}
