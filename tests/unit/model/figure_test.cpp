// The generated enemy figure, read back and posed as the game does it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/model_draw_state.h"
#include "model/model_instance.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/support/scratch_folder.h"

namespace {

using model_format::readInt32;

TEST(GeneratedFigure, LoadsThroughEveryPathAndStandsOnTheFloor) {
  const std::string path = std::string(BRAKMOOR_DATA_DIR) + "/Data/MODELS/gign.mdl";
  ASSERT_TRUE(std::ifstream(path).good()) << path << " is missing: build the gamedata target first";
  TestGlContext gl;
  ASSERT_TRUE(gl.ok());
  ModelInstance figure;
  ASSERT_EQ(figure.loadModel(path.c_str()), "");
  // Lowest and highest model-space z of the soldier's body (body part 0).
  const auto bodyHeight = [&figure](int sequence, float frame) {
    figure.setSequence(sequence);
    figure.frame = frame;
    figure.setUpBones();
    figure.setUpSubmodel(0);
    figure.drawSubmodel();
    const auto [low, high] = std::minmax_element(
        figure.work.transformedVertices, figure.work.transformedVertices + readInt32(figure.currentSubmodel + model_format::submodel::vertexCount),
        [](const Vec3& a, const Vec3& b) { return a.z < b.z; });
    return std::pair{low->z, high->z};
  };
  // The textures come from the texture file, the death falls from the group
  // file; they end lying on the floor.
  const std::uint8_t* main = figure.header.data;
  EXPECT_EQ(readInt32(main + model_format::header::textureCount), 0);
  EXPECT_GE(readInt32(figure.textureHeader.data + model_format::header::textureCount), 1);
  ASSERT_NE(figure.groupHeaders[1].data, nullptr);
  ASSERT_GE(readInt32(main + model_format::header::sequenceCount), 92);
  const std::uint8_t* sequences = main + readInt32(main + model_format::header::sequenceOffset);
  for (int death : {86, 91}) {
    EXPECT_EQ(readInt32(sequences + death * model_format::sequence::size + model_format::sequence::groupIndex), 1);
    EXPECT_GE(bodyHeight(death, 1000.0f).first, -42.0f) << death;
    EXPECT_LE(bodyHeight(death, 1000.0f).second, -20.0f) << death;
  }
  // Drawn at height 0.4 with scale 0.01: soles at -40 reach the floor and the
  // head at +40 the eye height 0.8; running, a foot is always on the floor.
  EXPECT_NEAR(bodyHeight(0, 0).first, -40.0f, 1.0f);
  EXPECT_NEAR(bodyHeight(0, 0).second, 40.0f, 1.0f);
  EXPECT_NEAR(bodyHeight(4, 6.0f).first, -40.0f, 1.5f);
  glFinish();  // Mesa must be done with the drawing before its context goes
}

}  // namespace

// The figure comes in three files; a missing or cut-short companion file
// is refused under its own name, as the program then prints it.
TEST(GeneratedFigure, AMissingOrCutShortCompanionFileIsNamed) {
  namespace fs = std::filesystem;
  const fs::path models = fs::path(BRAKMOOR_DATA_DIR) / "Data/MODELS";
  for (const char* companion : {"gignT.mdl", "gign01.mdl"}) {
    for (const bool missing : {true, false}) {
      ScratchFolder scratch;
      for (const char* file : {"gign.mdl", "gignT.mdl", "gign01.mdl"}) fs::copy_file(models / file, file);
      if (missing) {
        fs::remove(companion);
      } else {
        fs::resize_file(companion, fs::file_size(companion) / 2);
      }
      ModelInstance figure;
      const std::string said = figure.loadModel("gign.mdl");
      EXPECT_EQ(said.rfind(std::string(missing ? "unable to open " : "invalid model file ") + companion, 0), 0u)
          << said;
    }
  }
}
