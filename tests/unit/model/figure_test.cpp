// The generated enemy figure, read back with the game's own loader and posed
// as the game poses it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "model/model_draw_state.h"
#include "model/model_instance.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {

using model_format::readFloat;
using model_format::readInt32;

const std::string kFigure = std::string(BRAKMOOR_DATA_DIR) + "/Data/MODELS/gign.mdl";

struct Extent {
  float minX, maxX, minZ, maxZ;
};

class GeneratedFigure : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    std::FILE* file = std::fopen(kFigure.c_str(), "rb");
    ASSERT_NE(file, nullptr) << kFigure << " is missing: build the gamedata target first";
    std::fclose(file);
    figure.loadModel(kFigure.c_str());
  }
  // Mesa's software renderer must be done with the drawing before its
  // context goes away.
  void TearDown() override { glFinish(); }

  std::int32_t headerField(std::size_t offset) const { return readInt32(figure.header.data + offset); }
  const std::uint8_t* sequence(int n) const {
    return figure.header.data + headerField(model_format::header::sequenceOffset) + n * model_format::sequence::size;
  }

  // Model-space extent of the soldier's body (body part 0) in a pose.
  Extent bodyExtent(int sequenceNumber, float frame) {
    figure.setSequence(sequenceNumber);
    figure.frame = frame;
    figure.setUpBones();
    figure.setUpSubmodel(0);
    figure.drawSubmodel();
    const int count = readInt32(figure.currentSubmodel + model_format::submodel::vertexCount);
    Extent e{1e9f, -1e9f, 1e9f, -1e9f};
    for (int v = 0; v < count; ++v) {
      e.minX = std::min(e.minX, transformedVertices[v].x);
      e.maxX = std::max(e.maxX, transformedVertices[v].x);
      e.minZ = std::min(e.minZ, transformedVertices[v].z);
      e.maxZ = std::max(e.maxZ, transformedVertices[v].z);
    }
    return e;
  }

  TestGlContext gl;
  ModelInstance figure;
};

TEST_F(GeneratedFigure, UsesEveryLoaderPath) {
  EXPECT_EQ(headerField(model_format::header::textureCount), 0);  // textures in gignT.mdl
  EXPECT_NE(figure.textureHeader.data, figure.header.data);
  EXPECT_GE(headerField(model_format::header::sequenceGroupCount), 2);
  ASSERT_NE(figure.groupHeaders[1].data, nullptr);
  EXPECT_GE(headerField(model_format::header::sequenceCount), 92);
  EXPECT_GE(headerField(model_format::header::boneCount), 15);
  // The death falls come from the sequence group file.
  EXPECT_EQ(readInt32(sequence(86) + model_format::sequence::groupIndex), 1);
  EXPECT_EQ(readInt32(sequence(91) + model_format::sequence::groupIndex), 1);

  const std::uint8_t* textures = figure.textureHeader.data;
  const int textureCount = readInt32(textures + model_format::header::textureCount);
  const std::uint8_t* table = textures + readInt32(textures + model_format::header::textureOffset);
  int chrome = 0;
  for (int i = 0; i < textureCount; ++i)
    chrome += (readInt32(table + i * model_format::texture::size + model_format::texture::flags) & 2) != 0;
  EXPECT_EQ(chrome, 1);
}

TEST_F(GeneratedFigure, StandsOnTheFloorWithItsHeadAtEyeHeight) {
  // Drawn at height 0.4 with scale 0.01: soles at -40 reach the floor and the
  // head at +40 the eye height 0.8. Running, the figure leans and dips a
  // little with each stride, but a foot is always on the floor.
  for (float frame = 0; frame < 24; frame += 1.5f) {
    const Extent e = bodyExtent(4, frame);
    EXPECT_NEAR(e.minZ, -40.0f, 1.5f) << frame;
    EXPECT_GT(e.maxZ, 32.0f) << frame;
    EXPECT_LT(e.maxZ, 41.0f) << frame;
  }
  const Extent idle = bodyExtent(0, 0);
  EXPECT_NEAR(idle.minZ, -40.0f, 1.0f);
  EXPECT_NEAR(idle.maxZ, 40.0f, 1.0f);
}

TEST_F(GeneratedFigure, RunCycleLoopsAndMatchesTheWalkingSpeed) {
  const Extent start = bodyExtent(4, 0.0f);
  const int frames = readInt32(sequence(4) + model_format::sequence::frameCount);
  const Extent end = bodyExtent(4, static_cast<float>(frames - 1) - 0.001f);
  EXPECT_NEAR(start.minX, end.minX, 0.1f);
  EXPECT_NEAR(start.maxZ, end.maxZ, 0.1f);

  // While a foot is on the ground it sweeps back from its front-most to its
  // back-most place in half a cycle; that sweep's speed must match the
  // game's movement: 5 units per frame pass during which about 0.115 s of
  // animation pass, about 43 units per second.
  figure.setSequence(0);
  figure.setUpBones();
  int foot = 0;
  const int bones = headerField(model_format::header::boneCount);
  for (int b = 1; b < bones; ++b)
    if (boneTransforms[b].m[2][3] < boneTransforms[foot].m[2][3]) foot = b;
  float front = -1e9f, back = 1e9f;
  figure.setSequence(4);
  for (float frame = 0; frame < static_cast<float>(frames - 1); frame += 0.25f) {
    figure.frame = frame;
    figure.setUpBones();
    front = std::max(front, boneTransforms[foot].m[0][3]);
    back = std::min(back, boneTransforms[foot].m[0][3]);
  }
  const float fps = readFloat(sequence(4) + model_format::sequence::framesPerSecond);
  const float halfCycleSeconds = (frames - 1) / 2.0f / fps;
  EXPECT_NEAR((front - back) / halfCycleSeconds, 43.0f, 8.0f);
}

TEST_F(GeneratedFigure, DeathFallsEndLyingAndHoldThePose) {
  for (int death : {86, 91}) {
    const int frames = readInt32(sequence(death) + model_format::sequence::frameCount);
    EXPECT_GT(frames, 50000) << death;  // a long held tail before the loop
    for (float frame : {60.0f, 1000.0f, static_cast<float>(frames) - 2.5f}) {
      const Extent e = bodyExtent(death, frame);
      EXPECT_GE(e.minZ, -42.0f) << death << " " << frame;
      EXPECT_LE(e.maxZ, -20.0f) << death << " " << frame;  // lying, not standing
      EXPECT_GT(e.maxX - e.minX, 60.0f) << death << " " << frame;
    }
  }
  // Two different falls: backward (head behind the start) and forward.
  const Extent backward = bodyExtent(86, 1000.0f);
  const Extent forward = bodyExtent(91, 1000.0f);
  EXPECT_LT(backward.minX, -40.0f);
  EXPECT_GT(forward.maxX, 40.0f);
}

TEST_F(GeneratedFigure, DrawsEveryBodyPartInEverySequence) {
  const int count = headerField(model_format::header::sequenceCount);
  for (int n = 0; n < count; ++n) {
    figure.setSequence(n);
    figure.advanceAnimation(0.1f);
    figure.drawModel();
  }
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
