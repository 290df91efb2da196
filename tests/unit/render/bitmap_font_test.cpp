#include "render/bitmap_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "render/gl_api.h"
#include "tests/support/gl_context.h"

namespace {
constexpr int screenSize = 256;

// Glyph g of the test sheets is a solid cell of colour (g, 255 - g, 77), so a
// pixel on screen tells which glyph (and so which texture cell) drew it.
std::array<std::uint8_t, 3> glyphColour(int g) {
  return {static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(255 - g), 77};
}

// A 16 x 16 glyph sheet of `edge` pixels, rows of cells counted from the top.
GLuint makeGlyphSheet(int edge) {
  int cell = edge / 16;
  std::vector<std::uint8_t> texels;
  for (int v = 0; v < edge; ++v) {
    for (int u = 0; u < edge; ++u) {
      int g = (edge - 1 - v) / cell * 16 + u / cell;
      std::array<std::uint8_t, 3> c = glyphColour(g);
      texels.insert(texels.end(), c.begin(), c.end());
    }
  }
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, edge, edge, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return name;
}

struct FeedbackVertex {
  float x, y, s, t;
};

// The vertices a piece of drawing sends, in window coordinates, with their
// texture coordinates (polygons in the order drawn).
template <typename Draw>
std::vector<FeedbackVertex> capture(Draw draw) {
  std::vector<GLfloat> buffer(1 << 14);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint used = glRenderMode(GL_RENDER);
  std::vector<FeedbackVertex> vertices;
  for (GLint i = 0; i < used;) {
    EXPECT_EQ(buffer[i], static_cast<GLfloat>(GL_POLYGON_TOKEN));
    if (buffer[i] != static_cast<GLfloat>(GL_POLYGON_TOKEN)) break;
    int count = static_cast<int>(buffer[i + 1]);
    i += 2;
    for (int v = 0; v < count; ++v, i += 11)  // x y z, r g b a, s t r q
      vertices.push_back({buffer[i], buffer[i + 1], buffer[i + 7], buffer[i + 8]});
  }
  return vertices;
}

// Whether every vertex is one of `corners` and every corner is used.
void expectCorners(const std::vector<FeedbackVertex>& vertices, const std::vector<FeedbackVertex>& corners) {
  auto same = [](const FeedbackVertex& a, const FeedbackVertex& b) {
    return std::fabs(a.x - b.x) < 1e-3f && std::fabs(a.y - b.y) < 1e-3f && std::fabs(a.s - b.s) < 1e-6f &&
           std::fabs(a.t - b.t) < 1e-6f;
  };
  for (const FeedbackVertex& v : vertices)
    EXPECT_TRUE(std::any_of(corners.begin(), corners.end(), [&](const FeedbackVertex& c) { return same(v, c); }))
        << "unexpected vertex " << v.x << "," << v.y << " tex " << v.s << "," << v.t;
  for (const FeedbackVertex& c : corners)
    EXPECT_TRUE(std::any_of(vertices.begin(), vertices.end(), [&](const FeedbackVertex& v) { return same(v, c); }))
        << "missing corner " << c.x << "," << c.y << " tex " << c.s << "," << c.t;
}

std::vector<FeedbackVertex> glyphCorners(int g, int cell, int edge, float penX) {
  float size = static_cast<float>(cell) / edge;
  float s0 = (g % 16) * size, s1 = s0 + size;
  float t1 = 1.0f - (g / 16) * size, t0 = t1 - size;
  float right = penX + cell - 1, top = static_cast<float>(cell - 1);
  return {{penX, 0, s0, t0}, {right, 0, s1, t0}, {right, top, s1, t1}, {penX, top, s0, t1}};
}

std::array<GLfloat, 16> currentMatrix(GLenum which) {
  std::array<GLfloat, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

class BitmapFontDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    sheet_ = makeGlyphSheet(256);
    font_.setTexture(sheet_, 16, 16);
    font_.setCellSize(16, 16, 15);
    font_.setScreenSize(screenSize, screenSize);
    font_.build(256.0f);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  std::array<std::uint8_t, 3> pixel(const std::vector<std::uint8_t>& frame, int x, int y) const {
    const std::uint8_t* p = &frame[(static_cast<std::size_t>(y) * screenSize + x) * 4];
    return {p[0], p[1], p[2]};
  }

  // A 16-pixel cell is drawn 15 x 15 pixels from its bottom-left corner.
  void expectGlyph(const std::vector<std::uint8_t>& frame, int g, int left, int bottom) const {
    for (int y = bottom; y < bottom + 15; ++y)
      for (int x = left; x < left + 15; ++x)
        ASSERT_EQ(pixel(frame, x, y), glyphColour(g)) << "glyph " << g << " at " << x << "," << y;
  }

  void expectBlankRow(const std::vector<std::uint8_t>& frame, int y) const {
    for (int x = 0; x < screenSize; ++x) ASSERT_EQ(pixel(frame, x, y), (std::array<std::uint8_t, 3>{0, 0, 0})) << x;
  }

  TestGlContext gl_{screenSize, screenSize};
  GLuint sheet_ = 0;
  BitmapFont font_;
};
}  // namespace

// The setters are exercised by every drawing test below; the defaults are
// what the game relies on for fonts it never configures, the globals included.
TEST(BitmapFont, StartsWithItsDefaults) {
  auto fields = [](const BitmapFont& f) {
    return std::vector<std::int64_t>{f.textureId, f.listBase, f.cellWidth, f.cellHeight, f.advance,
                                     f.firstChar, f.columns,  f.rows,      f.orthoWidth, f.orthoHeight};
  };
  const std::vector<std::int64_t> defaults{0, 0, 32, 32, 20, 0, 16, 16, 1280, 1024};
  EXPECT_EQ(fields(BitmapFont()), defaults);
  for (const BitmapFont* font : {&largeDigitFont, &smallFont, &largeFont}) EXPECT_EQ(fields(*font), defaults);
}

TEST(BitmapFont, EachListDrawsItsCellAndMovesThePen) {
  TestGlContext gl(screenSize, screenSize);
  ASSERT_TRUE(gl.ok());
  BitmapFont font;
  font.setTexture(makeGlyphSheet(512), 16, 16);
  font.setCellSize(32, 32, 27);
  font.build(512.0f);
  ASSERT_NE(font.listBase, 0u);
  for (int g = 0; g < 256; ++g) ASSERT_TRUE(glIsList(font.listBase + g)) << g;
  EXPECT_FALSE(glIsList(font.listBase + 256));

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, screenSize, 0, screenSize, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  for (int g : {0, 17, 144, 153, 255}) {
    SCOPED_TRACE(g);
    glLoadIdentity();
    std::vector<FeedbackVertex> vertices = capture([&] {
      glCallList(font.listBase + g);
      glCallList(font.listBase + g);
    });
    std::vector<FeedbackVertex> corners = glyphCorners(g, 32, 512, 0);
    std::vector<FeedbackVertex> next = glyphCorners(g, 32, 512, 27);
    corners.insert(corners.end(), next.begin(), next.end());
    expectCorners(vertices, corners);
  }
}

TEST(BitmapFont, DestroyDeletesTheListsOnceAndSurvivesALostContext) {
  BitmapFont neverBuilt;
  neverBuilt.destroy();  // nothing to delete, and no context is current
  EXPECT_EQ(neverBuilt.listBase, 0u);

  BitmapFont font;
  {
    TestGlContext gl(64, 64);
    ASSERT_TRUE(gl.ok());
    font.build(512.0f);
    GLuint base = font.listBase;
    ASSERT_TRUE(glIsList(base));
    font.destroy();
    EXPECT_EQ(font.listBase, 0u);
    EXPECT_FALSE(glIsList(base));
    EXPECT_FALSE(glIsList(base + 255));
    font.destroy();
    font.build(512.0f);
  }
  font.destroy();  // its context is gone
  EXPECT_EQ(font.listBase, 0u);
}

TEST(BitmapFontExit, GlobalFontsAreReleasedAtExitWithOrWithoutAContext) {
  // A fresh process: the renderer's worker threads of earlier tests do not
  // survive a plain fork.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto buildAll = [] {
    for (BitmapFont* font : {&largeDigitFont, &smallFont, &largeFont}) font->build(512.0f);
  };
  EXPECT_EXIT(
      {
        TestGlContext* gl = new TestGlContext(64, 64);
        buildAll();
        std::exit(largeFont.listBase != 0 && gl->ok() ? 3 : 4);
      },
      ::testing::ExitedWithCode(3), "");
  EXPECT_EXIT(
      {
        {
          TestGlContext gl(64, 64);
          buildAll();
        }
        std::exit(largeFont.listBase != 0 ? 3 : 4);
      },
      ::testing::ExitedWithCode(3), "");
}

TEST_F(BitmapFontDrawing, BottomOfTheScreenAndOnePixelBelowTheTop) {
  font_.setFirstChar(32);
  font_.print(10, screenSize, "A");
  std::vector<std::uint8_t> frame = gl_.readPixels();
  expectGlyph(frame, 'A' - 32, 10, 0);
  expectBlankRow(frame, 15);

  glClear(GL_COLOR_BUFFER_BIT);
  font_.print(10, 16, "A");
  frame = gl_.readPixels();
  expectGlyph(frame, 'A' - 32, 10, screenSize - 16);
  expectBlankRow(frame, screenSize - 1);
  expectBlankRow(frame, screenSize - 17);
}

TEST_F(BitmapFontDrawing, FirstCharSelectsTheGlyphs) {
  font_.setFirstChar(32);
  font_.print(20, 100, "AMMO:");
  std::vector<std::uint8_t> frame = gl_.readPixels();
  int expected[] = {33, 45, 45, 47, 26};
  for (int i = 0; i < 5; ++i) expectGlyph(frame, expected[i], 20 + 15 * i, screenSize - 100);

  glClear(GL_COLOR_BUFFER_BIT);
  font_.setFirstChar(-96);
  font_.print(0, 50, "0123456789");
  frame = gl_.readPixels();
  for (int d = 0; d < 10; ++d) expectGlyph(frame, 144 + d, 15 * d, screenSize - 50);
}

TEST_F(BitmapFontDrawing, BytesOutsideTheFontAreLeftOut) {
  font_.setFirstChar(32);
  font_.print(0, 100, "AB");
  std::vector<std::uint8_t> plain = gl_.readPixels();
  glClear(GL_COLOR_BUFFER_BIT);
  font_.print(0, 100, "\x01" "A\n\x85" "B\x1f");
  EXPECT_EQ(gl_.readPixels(), plain);
}

TEST_F(BitmapFontDrawing, EmptyStringChangesNothing) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, 3);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glScalef(2, 3, 4);
  for (bool depth : {false, true}) {
    if (depth) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
    std::array<GLfloat, 16> modelView = currentMatrix(GL_MODELVIEW_MATRIX);
    std::array<GLfloat, 16> projection = currentMatrix(GL_PROJECTION_MATRIX);
    font_.print(10, 10, "");
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), modelView);
    EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), depth ? GL_TRUE : GL_FALSE);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
  }
  expectBlankRow(gl_.readPixels(), screenSize - 10);
}

TEST_F(BitmapFontDrawing, PrintRestoresTheMatricesAndSwitchesDepthTestOn) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(30, 0, 1, 0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1, 1, -1, 1, 1, 10);
  glDisable(GL_DEPTH_TEST);
  std::array<GLfloat, 16> modelView = currentMatrix(GL_MODELVIEW_MATRIX);
  std::array<GLfloat, 16> projection = currentMatrix(GL_PROJECTION_MATRIX);
  GLint depthBefore = 0, depthAfter = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);

  font_.print(0, 20, "Hello");

  EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), modelView);
  EXPECT_EQ(currentMatrix(GL_PROJECTION_MATRIX), projection);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
  EXPECT_EQ(depthAfter, depthBefore);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), sheet_);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
