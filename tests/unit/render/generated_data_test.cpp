// The textures and glyph sheets the data generator writes, read and drawn
// the way the game does.

#include <gtest/gtest.h>

#include <filesystem>

#include "render/bitmap_font.h"
#include "render/texture_table.h"
#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"

namespace fs = std::filesystem;

namespace {
class GeneratedData : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(fs::path(BRAKMOOR_DATA_DIR) / "Data" / "BMP"))
        << "no data tree at " << BRAKMOOR_DATA_DIR << "; build the gamedata target first";
    previous_ = fs::current_path();
    fs::current_path(BRAKMOOR_DATA_DIR);
    ASSERT_TRUE(gl_.ok());
  }
  void TearDown() override { fs::current_path(previous_); }

  TestGlContext gl_{256, 256};
  ScopedRecordingOs os_;
  fs::path previous_;
};

bool isPowerOfTwo(GLint n) { return n > 0 && (n & (n - 1)) == 0; }

// Counts lit pixels inside and outside a rectangle of the frame.
void countInk(const std::vector<std::uint8_t>& frame, int size, int left, int bottom, int width, int height,
              int* inside, int* outside) {
  *inside = *outside = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::uint8_t* p = &frame[(static_cast<std::size_t>(y) * size + x) * 4];
      if (p[0] + p[1] + p[2] < 96) continue;
      bool in = x >= left && x < left + width && y >= bottom && y < bottom + height;
      ++*(in ? inside : outside);
    }
  }
}
}  // namespace

TEST_F(GeneratedData, AllTexturesLoadWithPowerOfTwoSizes) {
  ASSERT_EQ(loadTextures(), 1);
  EXPECT_TRUE(os_->messageBoxes.empty());
  for (int i = 0; i < textureCount; ++i) {
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, textureTable[i]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_TRUE(isPowerOfTwo(width) && isPowerOfTwo(height)) << textureFileNames[i] << " " << width << "x" << height;
  }
  glBindTexture(GL_TEXTURE_2D, textureTable[17]);
  GLint fontSheet = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &fontSheet);
  EXPECT_EQ(fontSheet, 512);
  glBindTexture(GL_TEXTURE_2D, textureTable[18]);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &fontSheet);
  EXPECT_EQ(fontSheet, 256);
}

TEST_F(GeneratedData, FontSheetsHoldTheGlyphsTheFontsPrint) {
  ASSERT_EQ(loadTextures(), 1);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  BitmapFont digits, small;
  digits.setTexture(textureTable[17], 16, 16);
  digits.setCellSize(32, 32, 27);
  digits.setScreenSize(256, 256);
  digits.build(512.0f);
  digits.setFirstChar(-96);
  small.setTexture(textureTable[18], 16, 16);
  small.setCellSize(16, 16, 15);
  small.setScreenSize(256, 256);
  small.build(256.0f);
  small.setFirstChar(32);

  struct Case {
    BitmapFont* font;
    const char* text;
    int cell;
  } cases[] = {{&digits, "8", 32}, {&digits, "0", 32}, {&small, "W", 16}, {&small, ":", 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    glClear(GL_COLOR_BUFFER_BIT);
    c.font->print(100, 150, c.text);
    int inside = 0, outside = 0;
    countInk(gl_.readPixels(), 256, 100, 256 - 150, c.cell - 1, c.cell - 1, &inside, &outside);
    EXPECT_GT(inside, c.cell / 2);  // a glyph, not an empty cell
    EXPECT_EQ(outside, 0);
  }
  glClear(GL_COLOR_BUFFER_BIT);
  small.print(100, 150, " ");
  int inside = 0, outside = 0;
  countInk(gl_.readPixels(), 256, 100, 106, 15, 15, &inside, &outside);
  EXPECT_EQ(inside + outside, 0);  // space is glyph 0 of the small sheet, and blank
  digits.destroy();
  small.destroy();
}
