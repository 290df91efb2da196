// What the figures' pictures in the demos do not show: textures past 256
// texels, which submodel a body number picks, and the chrome mapping.
#include <gtest/gtest.h>

#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

// Sides become powers of two, as the figure's textures in the demos show;
// past 256 they stop there. Each texel averages four samples.
TEST(ResampleTexture, SidesStopAt256AndTexelsAverageTheirSamples) {
  Bytes reds(768, 0);  // palette entries 0 .. 3 are red 10, 20, 30 and 43
  for (int i = 0; i < 4; ++i) reds[3 * i] = static_cast<std::uint8_t>(i == 3 ? 43 : 10 * i + 10);
  // 3 x 2 becomes 4 x 2: output columns sample source columns (0,0), (0,1),
  // (1,2) and (2,2) at a quarter and three quarters of their width.
  const std::uint8_t stretched[] = {0, 1, 2, 0, 1, 2};
  const ResampledTexture wide = resampleTexture(3, 2, stretched, reds.data());
  const int expectedRed[] = {10, 15, 25, 30};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(wide.rgba[4 * x], expectedRed[x]) << x;
  EXPECT_EQ(wide.rgba[3], 255);
  // 512 x 512 halves to 256 x 256; each texel covers a 2 x 2 block of all
  // four reds: the floor of 103 / 4 is 25.
  Bytes shrunk(512 * 512);
  for (std::size_t i = 0; i < shrunk.size(); ++i) shrunk[i] = static_cast<std::uint8_t>(i % 2 + 2 * (i / 512 % 2));
  const ResampledTexture small = resampleTexture(512, 512, shrunk.data(), reds.data());
  ASSERT_EQ(small.height, 256);
  for (std::size_t i = 0; i < small.rgba.size(); i += 4) ASSERT_EQ(small.rgba[i], 25) << i / 4;
}

struct FedVertex { float x, y, s, t; };  // window and texture coordinates
using Triangle = std::vector<FedVertex>;

// Draws in GL feedback mode with identity matrices on a 256 x 256 viewport:
// model point (px, py) lands at window ((px + 1) * 128, (py + 1) * 128).
class DrawFeedback : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(gl.ok()); }
  std::vector<Triangle> loadAndDraw() {
    EXPECT_EQ(adoptTestModel(instance, model, true), "");
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    instance.drawModel();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Triangle> triangles;
    // Each polygon: a token, its vertex count, then 11 values per vertex.
    for (GLint i = 0, n = 0; i < used; i += 2 + 11 * n) {
      EXPECT_EQ(buffer[i], GL_POLYGON_TOKEN);
      n = static_cast<GLint>(buffer[i + 1]);
      Triangle& t = triangles.emplace_back();
      for (const GLfloat* v = &buffer[i + 2]; t.size() < static_cast<std::size_t>(n); v += 11) t.push_back({v[0], v[1], v[7], v[8]});
    }
    return triangles;
  }
  TestGlContext gl;
  TestModel model = simpleTestModel();
  TestSubmodel& sub = model.bodyParts[0][0];
  ModelInstance instance;
};

TEST_F(DrawFeedback, BodyNumberPicksOneSubmodelPerBodyPart) {
  // Submodel k of body part p is the triangle moved along x.
  auto moved = [&](float x) { return TestSubmodel{{{x, 0, 0}, {x + 1, 0, 0}, {x, 1, 0}}, {}, sub.commands}; };
  model.bodyParts = {{moved(-0.9f), moved(-0.8f)}, {moved(0.0f), moved(0.1f), moved(0.2f)}};
  instance.bodyNumber = 7;  // part 0: 7 mod 2 = 1; part 1: (7 / 2) mod 3 = 0
  const std::vector<Triangle> triangles = loadAndDraw();
  ASSERT_EQ(triangles.size(), 2u);
  EXPECT_NEAR(triangles[0][0].x, (1 - 0.8f) * 128, 1e-3);
  EXPECT_NEAR(triangles[1][0].x, 128.0f, 1e-3);
}

// Chrome maps a normal by its parts along the map's right and up, which are
// square to the line from the origin to the bone and to the reference
// vector. With no reference vector every normal takes the middle texel; from
// a bone at x = -0.5 with the reference along z, right is -z and up y.
TEST_F(DrawFeedback, ChromeMapsNormalsAlongTheRightAndUpOfTheReferenceVector) {
  model.textures[0] = TestTexture{2, 64, 128, Bytes(64 * 128 + 768)};
  model.bones[0].defaultValue[0] = -0.5f;
  sub.normals = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
  sub.commands = {3, 0, 0, 7, 7, 1, 1, 7, 7, 2, 2, 7, 7, 0};
  // Texel 32 of 64 and of 128 is the middle, not the command's 7.
  const struct { Vec3 reference; float s[3], t[3]; } cases[] = {
      {{0, 0, 0}, {0.5f, 0.5f, 0.5f}, {0.25f, 0.25f, 0.25f}},
      {{0, 0, 1}, {0.0f, 0.5f, 0.5f}, {0.25f, 0.5f, 0.25f}}};
  for (const auto& c : cases) {
    instance.work.chromeReferenceVector = c.reference;
    const std::vector<Triangle> triangles = loadAndDraw();
    ASSERT_EQ(triangles.size(), 1u);
    for (std::size_t v = 0; v < 3; ++v)
      EXPECT_EQ(std::pair(triangles[0][v].s, triangles[0][v].t), std::pair(c.s[v], c.t[v]))
          << "reference z " << c.reference.z << ", vertex " << v;
  }
}

}  // namespace
