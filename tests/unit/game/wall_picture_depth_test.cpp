// Wall pictures against their own walls in a real OpenGL context: the picture
// stands only 0.001 in front of the wall and is drawn after it, so the depth
// buffer the game asks for must keep the two apart at every distance a
// corridor allows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "game/camera.h"
#include "tests/support/test_records.h"
#include "game/scene_state.h"
#include "game/world_pass.h"
#include "render/depth_buffer.h"
#include "render/gl_api.h"
#include "render/texture_table.h"
#include "render/scene_projection.h"
#include "tests/support/gl_context.h"
#include "tests/unit/world/level_text.h"
#include "world/world_geometry.h"

namespace {

// A corridor of six cells from the start cell (1, 1) toward negative z; its
// end wall, the Top border of cell (1, 6), lies at z = -12, eleven units ahead
// of the start. The picture record is appended.
const std::string corridor = "X 1\nY 6\nP 1 1\nLevel\n1\n1\n1\n1\n1\n1\n";
constexpr float endWallZ = -12.0f;

// Plain colours instead of the game's bitmaps, so a pixel tells at once
// whether it shows the wall or the picture.
constexpr std::uint8_t red[3] = {255, 0, 0}, green[3] = {0, 255, 0}, blue[3] = {0, 0, 255};

GLuint plainTexture(const std::uint8_t (&colour)[3]) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, colour);
  return name;
}

void usePlainTextures() {
  const GLuint wall = plainTexture(red), room = plainTexture(green), picture = plainTexture(blue);
  std::fill(std::begin(scene().textureTable), std::end(scene().textureTable), room);
  scene().textureTable[wallTextureStyle1] = wall;
  scene().textureTable[pictureTextureW] = picture;
  scene().textureTable[pictureTextureG] = picture;
}

// The game's two projections: the window's own 45 degrees, and the 47 degrees
// at aspect 1.26 that loading the enemy figure leaves and the game is drawn
// with. Both have the near plane at 0.1, which sets the depth precision.
struct Projection {
  const char* name;
  void (*apply)(int width, int height);
};
const Projection projections[] = {
    {"window 45", resizeGameScene},
    {"figure 47", [](int width, int height) {
       resizeGameScene(width, height);
       setGameDrawingProjection();
     }},
};

struct ScreenRect { int left, bottom, right, top; };

// Where a rectangle of the end wall lands on the screen, under the matrices
// in force.
ScreenRect project(float x0, float y0, float x1, float y1, float z) {
  GLdouble model[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble ax, ay, bx, by, ignored;
  gluProject(x0, y0, z, model, projection, viewport, &ax, &ay, &ignored);
  gluProject(x1, y1, z, model, projection, viewport, &bx, &by, &ignored);
  return {static_cast<int>(std::min(ax, bx)), static_cast<int>(std::min(ay, by)),
          static_cast<int>(std::max(ax, bx)), static_cast<int>(std::max(ay, by))};
}

// Pixels of `rect` (shrunk by two on every side, away from the edges'
// rasterization) whose colour is not dominated by the wanted channel.
int pixelsNotShowing(const std::vector<std::uint8_t>& pixels, int width, ScreenRect rect,
                     int channel) {
  int wrong = 0;
  for (int y = rect.bottom + 2; y < rect.top - 2; ++y)
    for (int x = rect.left + 2; x < rect.right - 2; ++x) {
      const std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
      const int others = std::max(p[(channel + 1) % 3], p[(channel + 2) % 3]);
      if (p[channel] < others + 60) ++wrong;
    }
  return wrong;
}

TEST(WallPictureDepth, APictureShowsInFrontOfItsWallHeadOnFromThreeToElevenUnits) {
  constexpr int width = 252, height = 200;  // the aspect 1.26 of the figure's projection
  TestGlContext gl(width, height);
  ASSERT_TRUE(gl.ok());
  GLint depthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  EXPECT_GE(depthBits, depthBufferBits) << "the test context has fewer depth bits than the game asks for";
  setGameRenderState();
  usePlainTextures();

  for (const char* record : {"W 1 6 O\n", "G 1 6 O\n"}) {
    ASSERT_TRUE(loadLevelText(corridor + record));
    buildWorld(world());
    for (const Projection& projection : projections) {
      for (float distance : {3.0f, 7.0f, 11.0f}) {
        SCOPED_TRACE(std::string(record, 1) + " picture, " + projection.name + " degrees, " +
                     std::to_string(distance) + " units");
        projection.apply(width, height);
        PlayerState player;
        player.offsetZ = distance - 11.0f;  // the eye at z = -1 + offsetZ
        placeCamera(player, world().level.startX, world().level.startY);
        drawWorldTriangles(game().worldPass, world(), scene().textureTable);
        const std::vector<std::uint8_t> pixels = gl.readPixels();

        const ScreenRect picture = project(0.5f, 0.5f, 1.5f, 1.5f, endWallZ);
        ASSERT_GT(picture.right - picture.left, 8);
        EXPECT_EQ(pixelsNotShowing(pixels, width, picture, 2), 0) << "picture pixels hidden by the wall";
        // The strip of bare wall left of the picture: the wall is really
        // there, just behind the picture.
        const ScreenRect wall = project(0.1f, 0.6f, 0.45f, 1.4f, endWallZ);
        EXPECT_EQ(pixelsNotShowing(pixels, width, wall, 0), 0) << "wall pixels beside the picture";
      }
    }
  }
}

}  // namespace
