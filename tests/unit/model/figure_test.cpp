// The generated enemy figure, read back with the game's own loader and posed
// as the game poses it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "model/model_draw_state.h"
#include "model/model_instance.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {

using model_format::readInt32;
namespace header = model_format::header;

const std::string kFigure = std::string(BRAKMOOR_DATA_DIR) + "/Data/MODELS/gign.mdl";

class GeneratedFigure : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    std::FILE* file = std::fopen(kFigure.c_str(), "rb");
    ASSERT_NE(file, nullptr) << kFigure << " is missing: build the gamedata target first";
    std::fclose(file);
    figure.loadModel(kFigure.c_str());
  }
  void TearDown() override { glFinish(); }  // Mesa must finish drawing before its context goes

  std::int32_t headerField(std::size_t offset) const { return readInt32(figure.header.data + offset); }
  // Lowest and highest model-space z of the soldier's body (body part 0).
  std::pair<float, float> bodyHeight(int sequence, float frame) {
    figure.setSequence(sequence);
    figure.frame = frame;
    figure.setUpBones();
    figure.setUpSubmodel(0);
    figure.drawSubmodel();
    const auto [low, high] = std::minmax_element(
        transformedVertices, transformedVertices + readInt32(figure.currentSubmodel + model_format::submodel::vertexCount),
        [](const Vec3& a, const Vec3& b) { return a.z < b.z; });
    return {low->z, high->z};
  }

  TestGlContext gl;
  ModelInstance figure;
};

TEST_F(GeneratedFigure, LoadsItsTextureFileAndSequenceGroupFile) {
  EXPECT_EQ(headerField(header::textureCount), 0);
  EXPECT_NE(figure.textureHeader.data, figure.header.data);
  EXPECT_GE(readInt32(figure.textureHeader.data + header::textureCount), 1);
  ASSERT_NE(figure.groupHeaders[1].data, nullptr);
  EXPECT_GE(headerField(header::sequenceCount), 92);
  // The death falls come from the group file and end lying on the floor.
  const std::uint8_t* sequences = figure.header.data + headerField(header::sequenceOffset);
  for (int death : {86, 91}) {
    EXPECT_EQ(readInt32(sequences + death * model_format::sequence::size + model_format::sequence::groupIndex), 1);
    const auto [low, high] = bodyHeight(death, 1000.0f);
    EXPECT_GE(low, -42.0f) << death;
    EXPECT_LE(high, -20.0f) << death;
  }
}

TEST_F(GeneratedFigure, StandsOnTheFloorWithItsHeadAtEyeHeight) {
  // Drawn at height 0.4 with scale 0.01: soles at -40 reach the floor and the
  // head at +40 the eye height 0.8. Running, the figure leans and dips a
  // little with each stride, but a foot is always on the floor.
  const auto [low, high] = bodyHeight(0, 0);
  EXPECT_NEAR(low, -40.0f, 1.0f);
  EXPECT_NEAR(high, 40.0f, 1.0f);
  for (float frame = 0; frame < 24; frame += 1.5f) {
    const auto [runLow, runHigh] = bodyHeight(4, frame);
    EXPECT_NEAR(runLow, -40.0f, 1.5f) << frame;
    EXPECT_GT(runHigh, 32.0f) << frame;
    EXPECT_LT(runHigh, 41.0f) << frame;
  }
}

}  // namespace
