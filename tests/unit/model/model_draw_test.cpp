#include <gtest/gtest.h>

#include <cmath>

#include "model/model_draw_state.h"
#include "model/model_instance.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"
#include "tests/unit/model/test_model_builder.h"

namespace {

struct FedVertex {
  float x, y;  // window coordinates
  float s, t;  // texture coordinates
};
using Triangle = std::vector<FedVertex>;

// Draws the instance in GL feedback mode and returns the triangles OpenGL
// received, with identity matrices on a 256 x 256 viewport: model point
// (px, py) lands at window ((px + 1) * 128, (py + 1) * 128).
class DrawFeedback : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
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
      Triangle t;
      for (int v = 0; v < n; ++v, i += 11) t.push_back({buffer[i], buffer[i + 1], buffer[i + 7], buffer[i + 8]});
      triangles.push_back(t);
    }
    return triangles;
  }

  TestGlContext gl;
  ModelInstance instance;
};

// Command vertex: vertex number, normal number, s, t.
std::vector<std::int16_t> commandVertex(int vertex, int normal, int s, int t) {
  return {static_cast<std::int16_t>(vertex), static_cast<std::int16_t>(normal),
          static_cast<std::int16_t>(s), static_cast<std::int16_t>(t)};
}

std::vector<std::int16_t> commands(std::initializer_list<std::vector<std::int16_t>> parts) {
  std::vector<std::int16_t> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TestModel modelWithSquareOfVertices() {
  TestModel model = simpleTestModel();
  TestSubmodel& sub = model.bodyParts[0].submodels[0];
  sub.vertices = {{-0.5f, -0.5f, 0}, {0.5f, -0.5f, 0}, {0.5f, 0.5f, 0}, {-0.5f, 0.5f, 0}};
  sub.vertexBones = {0, 0, 0, 0};
  return model;
}

TEST_F(DrawFeedback, StripsAndFansFollowTheCommandCounts) {
  TestModel model = modelWithSquareOfVertices();
  model.bodyParts[0].submodels[0].meshes[0].commands =
      commands({{3}, commandVertex(0, 0, 0, 0), commandVertex(1, 0, 0, 0), commandVertex(2, 0, 0, 0),
                {-4}, commandVertex(3, 0, 0, 0), commandVertex(0, 0, 0, 0), commandVertex(1, 0, 0, 0),
                commandVertex(2, 0, 0, 0), {0}});
  load(model);
  const std::vector<Triangle> triangles = draw();
  ASSERT_EQ(triangles.size(), 3u);  // one from the strip, two from the fan
  EXPECT_FLOAT_EQ(triangles[0][1].x, 192.0f);
  // Both fan triangles start at the fan's first vertex, (-0.5, 0.5).
  for (int i : {1, 2}) {
    EXPECT_FLOAT_EQ(triangles[i][0].x, 64.0f);
    EXPECT_FLOAT_EQ(triangles[i][0].y, 192.0f);
  }
  EXPECT_FLOAT_EQ(triangles[2][2].x, 192.0f);
  EXPECT_FLOAT_EQ(triangles[2][2].y, 192.0f);
}

TEST_F(DrawFeedback, AZeroCountDrawsNothingAndNoBodyPartsStillCountTheDraw) {
  TestModel model = simpleTestModel();
  model.bodyParts[0].submodels[0].meshes[0].commands = {0};
  load(model);
  EXPECT_TRUE(draw().empty());

  model.bodyParts.clear();
  instance.releaseFiles();
  load(model);
  const int before = drawCounter;
  EXPECT_TRUE(draw().empty());
  EXPECT_EQ(drawCounter, before + 1);
}

TEST_F(DrawFeedback, TexelCoordinatesAreDividedByTheStoredSize) {
  TestModel model = simpleTestModel();
  TestTexture& texture = model.textures[0];
  texture.width = 100;
  texture.height = 50;
  texture.pixels.assign(100 * 50, 1);
  model.bodyParts[0].submodels[0].meshes[0].commands =
      commands({{3}, commandVertex(0, 0, 50, 25), commandVertex(1, 0, 100, 0), commandVertex(2, 0, 0, 50), {0}});
  load(model);
  const std::vector<Triangle> triangles = draw();
  ASSERT_EQ(triangles.size(), 1u);
  EXPECT_FLOAT_EQ(triangles[0][0].s, 0.5f);
  EXPECT_FLOAT_EQ(triangles[0][0].t, 0.5f);
  EXPECT_FLOAT_EQ(triangles[0][1].s, 1.0f);
  EXPECT_FLOAT_EQ(triangles[0][2].t, 1.0f);
}

TEST_F(DrawFeedback, ChromeWithTheZeroReferenceMapsToTexel32) {
  TestModel model = simpleTestModel();
  TestTexture& texture = model.textures[0];
  texture.flags = 2;
  texture.width = 64;
  texture.height = 128;
  texture.pixels.assign(64 * 128, 0);
  TestSubmodel& sub = model.bodyParts[0].submodels[0];
  sub.normals = {{0, 0, 1}, {1, 0, 0}};
  sub.normalBones = {0, 0};
  sub.meshes[0].normalCount = 2;
  sub.meshes[0].commands =
      commands({{3}, commandVertex(0, 0, 7, 7), commandVertex(1, 1, 7, 7), commandVertex(2, 1, 7, 7), {0}});
  load(model);
  const std::vector<Triangle> triangles = draw();
  ASSERT_EQ(triangles.size(), 1u);
  for (const FedVertex& v : triangles[0]) {
    EXPECT_FLOAT_EQ(v.s, 0.5f);   // 32 / 64, not the command's 7
    EXPECT_FLOAT_EQ(v.t, 0.25f);  // 32 / 128
  }
  EXPECT_EQ(chromeCoords[1].s, 32);
  EXPECT_EQ(chromeCoords[1].t, 32);
}

TEST_F(DrawFeedback, ChromeCoordinatesFollowTheNormalsAgainstAReferenceVector) {
  TestModel model = simpleTestModel();
  model.textures[0].flags = 2;
  TestSubmodel& sub = model.bodyParts[0].submodels[0];
  sub.normals = {{0, 0, 1}};
  sub.normalBones = {0};
  sub.meshes[0].normalCount = 1;
  model.bones[0].defaultValue = {{1, 0, 0, 0, 0, 0}};  // bone at +x of the origin
  load(model);
  chromeReferenceVector = Vec3{0, 1, 0};
  draw();
  chromeReferenceVector = Vec3{0, 0, 0};
  // d = +x, up = x cross y = +z, right = x cross z = -y: the normal +z lies
  // along up (t = 64) and across right (s = 32).
  EXPECT_EQ(chromeCoords[0].s, 32);
  EXPECT_EQ(chromeCoords[0].t, 64);
}

TEST_F(DrawFeedback, BodyNumberPicksOneSubmodelPerBodyPart) {
  TestModel model = simpleTestModel();
  const TestSubmodel base = model.bodyParts[0].submodels[0];
  // Submodel k of body part p is a triangle moved to x = p + 0.1 k.
  auto movedTriangle = [&](float dx) {
    TestSubmodel sub = base;
    for (TestPoint& p : sub.vertices) p.x += dx;
    return sub;
  };
  model.bodyParts = {TestBodyPart{1, {movedTriangle(-0.9f), movedTriangle(-0.8f)}},
                     TestBodyPart{2, {movedTriangle(0.0f), movedTriangle(0.1f), movedTriangle(0.2f)}}};
  load(model);
  instance.bodyNumber = 7;  // part 0: 7 mod 2 = 1; part 1: (7 / 2) mod 3 = 0
  const std::vector<Triangle> triangles = draw();
  ASSERT_EQ(triangles.size(), 2u);
  EXPECT_NEAR(triangles[0][0].x, (1 - 0.8f) * 128, 1e-3);
  EXPECT_NEAR(triangles[1][0].x, 128.0f, 1e-3);
}

TEST_F(DrawFeedback, SkinRowsOutsideTheTableFallBackToRowZero) {
  TestModel model = simpleTestModel();
  TestTexture wide = model.textures[0];
  wide.width = 4;
  wide.pixels.assign(8, 0);
  model.textures.push_back(wide);
  model.skins = {{0}, {1}};
  model.bodyParts[0].submodels[0].meshes[0].commands =
      commands({{3}, commandVertex(0, 0, 2, 0), commandVertex(1, 0, 0, 0), commandVertex(2, 0, 0, 0), {0}});
  load(model);
  const struct {
    int skin;
    float s;
  } cases[] = {{0, 1.0f}, {1, 0.5f}, {2, 1.0f}, {-1, 1.0f}};
  for (const auto& c : cases) {
    instance.skin = c.skin;
    const std::vector<Triangle> triangles = draw();
    ASSERT_EQ(triangles.size(), 1u);
    EXPECT_FLOAT_EQ(triangles[0][0].s, c.s) << c.skin;
  }
}

TEST_F(DrawFeedback, VerticesMoveWithTheirBonesAndTheInstancePlacement) {
  TestModel model = simpleTestModel();
  model.bones.resize(2);
  model.bones[1].parent = 0;
  model.bones[1].defaultValue = {{0, 0.25f, 0, 0, 0, 0}};
  model.sequences[0].streams[0].resize(2);
  model.bodyParts[0].submodels[0].vertexBones = {0, 1, 0};
  model.bodyParts[0].submodels[0].vertices = {{0, 0, 0}, {0.5f, 0, 0}, {0, 0.5f, 0}};
  load(model);
  instance.origin = Vec3{-0.25f, 0, 0};
  instance.angles[1] = 90.0f;  // about z
  const std::vector<Triangle> triangles = draw();
  ASSERT_EQ(triangles.size(), 1u);
  // Vertex 1 (0.5, 0, 0) rides bone 1 up to (0.5, 0.25, 0); the quarter turn
  // about z makes it (-0.25, 0.5), then the origin moves it to (-0.5, 0.5).
  EXPECT_NEAR(triangles[0][1].x, 64.0f, 1e-3);
  EXPECT_NEAR(triangles[0][1].y, 192.0f, 1e-3);
  EXPECT_NEAR(transformedVertices[1].y, 0.25f, 1e-6);
}

TEST_F(DrawFeedback, TexturedPixelsShowTheUploadedImage) {
  TestModel model = modelWithSquareOfVertices();
  model.textures[0].pixels = {1, 1, 1, 1};  // palette entry 1 is white
  model.textures[0].palette[3] = 200;
  model.textures[0].palette[4] = 40;
  model.textures[0].palette[5] = 90;
  model.bodyParts[0].submodels[0].meshes[0].commands =
      commands({{-4}, commandVertex(0, 0, 0, 0), commandVertex(1, 0, 2, 0), commandVertex(2, 0, 2, 2),
                commandVertex(3, 0, 0, 2), {0}});
  load(model);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glColor3f(1, 1, 1);
  instance.drawModel();
  const std::vector<std::uint8_t> pixels = gl.readPixels();
  const std::uint8_t* centre = &pixels[(128 * 256 + 128) * 4];
  EXPECT_NEAR(centre[0], 200, 2);
  EXPECT_NEAR(centre[1], 40, 2);
  EXPECT_NEAR(centre[2], 90, 2);
  EXPECT_EQ(pixels[0], 0);  // outside the square stays clear
}

}  // namespace
