#pragma once
// Writes model files for the tests straight from the record layout (field
// offsets and widths), independently of the loader and of the figure
// generator, so that the tests check the loader against the layout itself.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/model_math.h"

using Bytes = std::vector<std::uint8_t>;
using Shorts = std::vector<std::int16_t>;

// One run of a run-length stream: `values` for its first frames, the last
// value held for the rest of its `frames`.
struct TestRun { int frames; Shorts values; };
using TestStream = std::vector<TestRun>;
using TestBoneStreams = std::array<TestStream, 6>;  // by channel; empty: no stream

struct TestBone {
  int parent = -1;
  std::array<int, 6> controllerIndex{{-1, -1, -1, -1, -1, -1}};
  std::array<float, 6> defaultValue{}, scale{{1, 1, 1, 1, 1, 1}};
};
struct TestController { int type; float start, end; int slot; };
struct TestSequence {
  int frameCount = 2, motionFlags = 0, motionBone = 0;
  float framesPerSecond = 10.0f;
  // blocks[block][bone]; bones left out have no streams, no blocks is one block.
  std::vector<std::vector<TestBoneStreams>> blocks;
};
// `pixels`: width x height palette indices; `palette`: 768 bytes.
struct TestTexture { int flags, width, height; Bytes pixels, palette; };
// `commands`: counts, each followed by (vertex, normal, s, t) entries; 0 ends.
struct TestMesh { int skinRef, normalCount; Shorts commands; };
struct TestSubmodel {
  std::vector<Vec3> vertices, normals;
  Bytes vertexBones, normalBones;
  std::vector<TestMesh> meshes;
};
struct TestBodyPart { int base; std::vector<TestSubmodel> submodels; };
struct TestModel {
  std::vector<TestBone> bones;
  std::vector<TestController> controllers;
  std::vector<TestSequence> sequences;
  std::vector<TestTexture> textures;  // none: the textures are in a texture file
  std::vector<Shorts> skins;          // rows of texture numbers
  std::vector<TestBodyPart> bodyParts;
};

Bytes writeTestModel(const TestModel& model);
// The stream of one channel, making room for the block and bone.
TestStream& streamOf(TestSequence& sequence, int block, int bone, int channel);
// One bone, one two-frame sequence, one 2 x 2 texture, one triangle.
TestModel simpleTestModel();

class ModelInstance;
// Returns the loader's complaint, empty on success. With `upload` the
// textures go to the current OpenGL context first, as loading from disk does.
std::string adoptTestModel(ModelInstance& instance, const TestModel& model, bool upload = false);
