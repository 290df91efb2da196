#pragma once
// The HUD drawn into a real GL context with the game's textures and fonts,
// read back as pixels: the fixture and the pixel counts the HUD tests share.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <vector>

#include "game/game.h"
#include "game/hud.h"
#include "game/scene_fonts.h"
#include "game/scene_state.h"
#include "render/gl_api.h"
#include "render/scene_projection.h"
#include "render/texture_table.h"
#include "tests/support/test_records.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"

constexpr int width = 640;
constexpr int height = 480;

// A pixel box in window coordinates measured from the top-left corner.
struct Box {
  int left, top, right, bottom;
};

struct Census {
  int green = 0, red = 0, other = 0;
};

// Lit pixels inside `box`, by colour: pure green, pure red, or anything else.
inline Census census(const std::vector<std::uint8_t>& pixels, Box box) {
  Census result;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const std::uint8_t* p = &pixels[((height - 1 - y) * width + x) * 4];
      if (p[0] + p[1] + p[2] == 0) continue;
      if (p[0] == 0 && p[1] > 0 && p[2] == 0) {
        ++result.green;
      } else if (p[0] > 0 && p[1] == 0 && p[2] == 0) {
        ++result.red;
      } else {
        ++result.other;
      }
    }
  }
  return result;
}

inline int lit(const std::vector<std::uint8_t>& pixels, Box box) {
  const Census c = census(pixels, box);
  return c.green + c.red + c.other;
}

class Hud : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok());
    ASSERT_EQ(getcwd(folder, sizeof folder), folder);
    ASSERT_EQ(chdir(BRAKMOOR_DATA_DIR), 0);
    ASSERT_EQ(loadTextures(scene().textureTable), 1);
    setGameRenderState();
    buildGameFonts(scene(), width, height);
    setGameDrawingProjection();
    startFreshGame();
    game().screenWidth = width;
    game().screenHeight = height;
  }
  void TearDown() override { ASSERT_EQ(chdir(folder), 0); }
  template <typename Step>
  std::vector<std::uint8_t> draw(Step step) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    step(game(), scene());
    return gl.readPixels();
  }

  TestGlContext gl{width, height};
  ScopedRecordingOs os;
  char folder[4096] = {};
};
