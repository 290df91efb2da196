#include <gtest/gtest.h>

#include "model/model_draw_state.h"
#include "model/model_instance.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

// A palette whose entry i has the red value reds[i] (others black).
Bytes paletteWithReds(std::initializer_list<int> reds) {
  Bytes palette(768, 0);
  int i = 0;
  for (int red : reds) palette[3 * i++] = static_cast<std::uint8_t>(red);
  return palette;
}

TEST(ResampleTexture, SidesBecomePowersOfTwoUpTo256AndTexelsAverageTheirSamples) {
  const Bytes black(768, 0), pixels(300 * 2, 0);
  for (const auto& side : {std::pair{1, 1}, {3, 4}, {64, 64}, {100, 128}, {300, 256}}) {
    const ResampledTexture t = resampleTexture(side.first, 2, pixels.data(), black.data());
    EXPECT_EQ(t.width, side.second) << side.first;
    EXPECT_EQ(t.rgba.size(), static_cast<std::size_t>(t.width) * 2 * 4) << side.first;
  }
  // 3 x 2 becomes 4 x 2: output columns sample source columns (0,0), (0,1),
  // (1,2) and (2,2) at a quarter and three quarters of their width.
  const std::uint8_t stretched[] = {0, 1, 2, 0, 1, 2};
  const Bytes reds = paletteWithReds({0, 100, 200});
  const ResampledTexture wide = resampleTexture(3, 2, stretched, reds.data());
  const int expectedRed[] = {0, 50, 150, 200};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(wide.rgba[4 * x], expectedRed[x]) << x;
  EXPECT_EQ(wide.rgba[3], 255);
  // 512 x 512 halves to 256 x 256; each texel covers a 2 x 2 block whose
  // reds are 10, 20, 30 and 41: the floor of 101 / 4 is 25.
  Bytes shrunk(512 * 512);
  for (std::size_t i = 0; i < shrunk.size(); ++i) shrunk[i] = static_cast<std::uint8_t>(i % 2 + 2 * (i / 512 % 2));
  const Bytes fourReds = paletteWithReds({10, 20, 30, 41});
  const ResampledTexture small = resampleTexture(512, 512, shrunk.data(), fourReds.data());
  ASSERT_EQ(small.height, 256);
  for (std::size_t i = 0; i < small.rgba.size(); i += 4) ASSERT_EQ(small.rgba[i], 25) << i / 4;
}

struct FedVertex {
  float x, y;  // window coordinates
  float s, t;  // texture coordinates
};
using Triangle = std::vector<FedVertex>;

// Draws in GL feedback mode with identity matrices on a 256 x 256 viewport:
// model point (px, py) lands at window ((px + 1) * 128, (py + 1) * 128).
class DrawFeedback : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    glEnable(GL_TEXTURE_2D);
  }
  void load(const TestModel& model) { ASSERT_EQ(adoptTestModel(instance, model, true), ""); }
  std::vector<Triangle> draw() {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    instance.drawModel();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Triangle> triangles;
    for (GLint i = 0; i < used;) {
      EXPECT_EQ(buffer[i], GL_POLYGON_TOKEN);
      const int n = static_cast<int>(buffer[i + 1]);
      i += 2;
      Triangle& t = triangles.emplace_back();
      for (int v = 0; v < n; ++v, i += 11) t.push_back({buffer[i], buffer[i + 1], buffer[i + 7], buffer[i + 8]});
    }
    return triangles;
  }
  TestGlContext gl;
  ModelInstance instance;
};

TEST_F(DrawFeedback, StripsAndFansFollowTheCommandCounts) {
  TestModel model = simpleTestModel();
  TestSubmodel& sub = model.bodyParts[0].submodels[0];
  sub.vertices = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
  sub.vertexBones = {0, 0, 0, 0};
  // A strip of 3 and a fan of 4 (vertex, normal, s, t each).
  sub.meshes[0].commands = {3, 0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, -4, 3, 0, 0, 0, 0, 0, 0, 0,
                            1, 0, 0, 0, 2, 0, 0, 0, 0};
  load(model);
  const std::vector<Triangle> triangles = draw();
  ASSERT_EQ(triangles.size(), 3u);
  EXPECT_FLOAT_EQ(triangles[0][1].x, 192.0f);
  for (int i : {1, 2}) {  // both fan triangles start at the fan's first vertex
    EXPECT_FLOAT_EQ(triangles[i][0].x, 64.0f);
    EXPECT_FLOAT_EQ(triangles[i][0].y, 192.0f);
  }
  EXPECT_FLOAT_EQ(triangles[2][2].x, 192.0f);
  EXPECT_FLOAT_EQ(triangles[2][2].y, 192.0f);
}

TEST_F(DrawFeedback, BodyNumberPicksOneSubmodelPerBodyPart) {
  TestModel model = simpleTestModel();
  // Submodel k of body part p is the triangle moved along x.
  auto moved = [base = model.bodyParts[0].submodels[0]](float dx) {
    TestSubmodel sub = base;
    for (Vec3& p : sub.vertices) p.x += dx;
    return sub;
  };
  model.bodyParts = {TestBodyPart{1, {moved(-0.9f), moved(-0.8f)}},
                     TestBodyPart{2, {moved(0.0f), moved(0.1f), moved(0.2f)}}};
  load(model);
  instance.bodyNumber = 7;  // part 0: 7 mod 2 = 1; part 1: (7 / 2) mod 3 = 0
  const std::vector<Triangle> triangles = draw();
  ASSERT_EQ(triangles.size(), 2u);
  EXPECT_NEAR(triangles[0][0].x, (1 - 0.8f) * 128, 1e-3);
  EXPECT_NEAR(triangles[1][0].x, 128.0f, 1e-3);
}

TEST_F(DrawFeedback, ChromeWithTheZeroReferenceVectorMapsToTheMiddleTexel) {
  TestModel model = simpleTestModel();
  model.textures[0] = TestTexture{2, 64, 128, Bytes(64 * 128, 0), Bytes(768, 0)};
  TestSubmodel& sub = model.bodyParts[0].submodels[0];
  sub.normals = {{0, 0, 1}, {1, 0, 0}};
  sub.normalBones = {0, 0};
  sub.meshes[0] = TestMesh{0, 2, {3, 0, 0, 7, 7, 1, 1, 7, 7, 2, 1, 7, 7, 0}};
  load(model);
  const std::vector<Triangle> triangles = draw();
  ASSERT_EQ(triangles.size(), 1u);
  for (const FedVertex& v : triangles[0]) {
    EXPECT_FLOAT_EQ(v.s, 0.5f);   // texel 32 of 64, not the command's 7
    EXPECT_FLOAT_EQ(v.t, 0.25f);  // texel 32 of 128
  }
  EXPECT_EQ(chromeCoords[1].s, 32);
  EXPECT_EQ(chromeCoords[1].t, 32);
}

TEST_F(DrawFeedback, TexelCoordinatesDivideByTheStoredSizeOfTheSkinsTexture) {
  TestModel model = simpleTestModel();
  model.textures.push_back(TestTexture{0, 3, 2, Bytes(6, 0), Bytes(768, 0)});  // uploaded 4 wide
  model.skins = {{0}, {1}};
  model.bodyParts[0].submodels[0].meshes[0].commands = {3, 0, 0, 3, 1, 1, 0, 0, 0, 2, 0, 0, 0, 0};
  load(model);
  const struct { int skin; float s; } cases[] = {{0, 1.5f}, {1, 1.0f}, {2, 1.5f}, {-1, 1.5f}};
  for (const auto& c : cases) {  // rows outside the table fall back to row 0
    instance.skin = c.skin;
    const std::vector<Triangle> triangles = draw();
    ASSERT_EQ(triangles.size(), 1u);
    EXPECT_FLOAT_EQ(triangles[0][0].s, c.s) << c.skin;
    EXPECT_FLOAT_EQ(triangles[0][0].t, 0.5f) << c.skin;
  }
}

}  // namespace
