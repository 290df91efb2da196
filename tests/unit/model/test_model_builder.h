#pragma once
// Writes model files for the tests straight from the record layout (field
// offsets and widths), independently of the loader and of the figure
// generator, so that the tests check the loader against the layout itself.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TestPoint {
  float x, y, z;
};

// A run-length stream as written: each run is {validCount, totalCount,
// values...}.
struct TestRun {
  int totalCount;
  std::vector<std::int16_t> values;
};
using TestStream = std::vector<TestRun>;

struct TestBone {
  int parent = -1;
  std::array<int, 6> controllerIndex{{-1, -1, -1, -1, -1, -1}};
  std::array<float, 6> defaultValue{};
  std::array<float, 6> scale{{1, 1, 1, 1, 1, 1}};
};

struct TestController {
  int type = 8;
  float start = 0.0f;
  float end = 360.0f;
  int slot = 0;
};

struct TestSequence {
  float framesPerSecond = 10.0f;
  int frameCount = 2;
  int motionFlags = 0;
  int motionBone = 0;
  int blendCount = 1;
  int groupIndex = 0;
  // streams[block][bone][channel]; an empty stream is written as offset 0.
  std::vector<std::vector<std::array<TestStream, 6>>> streams;
};

struct TestTexture {
  int flags = 0;
  int width = 2;
  int height = 2;
  std::vector<std::uint8_t> pixels;   // width x height palette indices
  std::vector<std::uint8_t> palette;  // 768 bytes
};

struct TestMesh {
  int skinRef = 0;
  int normalCount = 0;
  std::vector<std::int16_t> commands;  // counts and command vertices, ending in 0
};

struct TestSubmodel {
  std::vector<std::uint8_t> vertexBones;
  std::vector<TestPoint> vertices;
  std::vector<std::uint8_t> normalBones;
  std::vector<TestPoint> normals;
  std::vector<TestMesh> meshes;
};

struct TestBodyPart {
  int base = 1;
  std::vector<TestSubmodel> submodels;
};

struct TestModel {
  std::vector<TestBone> bones;
  std::vector<TestController> controllers;
  std::vector<TestSequence> sequences;
  int sequenceGroupCount = 1;
  std::vector<TestTexture> textures;
  int skinRefCount = 1;
  std::vector<std::vector<std::int16_t>> skins;  // rows of texture numbers
  std::vector<TestBodyPart> bodyParts;
  // When set, the main file holds no textures and a texture file is written.
  bool separateTextureFile = false;
};

struct TestModelFiles {
  std::vector<std::uint8_t> main;
  std::vector<std::uint8_t> texture;              // empty unless separate
  std::vector<std::vector<std::uint8_t>> groups;  // group 1, 2, ...
};

TestModelFiles writeTestModel(const TestModel& model);

// A small sound model: one bone, one two-frame sequence, one 2 x 2 texture,
// one body part with one triangle.
TestModel simpleTestModel();

class ModelInstance;
// Writes `model` and hands the files to `instance`; returns the loader's
// complaint, empty on success. With `upload` the textures go to the current
// OpenGL context first, as loading from disk does.
std::string adoptTestModel(ModelInstance& instance, const TestModel& model, bool upload = false);

// Field offsets the tests poke at directly to corrupt a file.
namespace test_layout {
constexpr std::size_t boneCount = 140, boneOffset = 144, sequenceCount = 164,
                      textureCount = 180, bodyPartOffset = 208;
}
void putInt32(std::vector<std::uint8_t>& file, std::size_t offset, std::int32_t value);
std::int32_t getInt32(const std::vector<std::uint8_t>& file, std::size_t offset);
