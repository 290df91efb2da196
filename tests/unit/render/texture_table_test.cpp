// loadTextures in a real OpenGL context; the Windows test program runs it with GDI under WGL.

#include "render/texture_table.h"

#include <algorithm>
#include <set>

#include "tests/support/gl_context.h"
#include "tests/support/test_records.h"
#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;

class TextureLoading : public BitmapReading {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl_.ok());
    for (int i = 0; i < textureCount; ++i) writeFile(textureFileNames[i], encode(pictureFor(i)));
    std::fill(std::begin(scene().textureTable), std::end(scene().textureTable), sentinelName);
  }
  // Texture i has colours of its own, and widths whose rows of 3 x width
  // bytes are mostly not a multiple of 4. Index 9 shares the file of index 1.
  static Picture pictureFor(int i) {
    Picture p(1 + i % 7, 2 + i % 3, Encoding::rgb24);
    for (Rgb& c : p.colours) c.g = u8(i * 8);
    return i == 9 ? pictureFor(1) : p;
  }

  static constexpr GLuint sentinelName = 0xBEEF;
  TestGlContext gl_;
};

TEST_F(TextureLoading, EachLoadUploadsEveryImageUnderNewNames) {
  ASSERT_EQ(loadTextures(scene().textureTable), 1);
  std::vector<GLuint> names(std::begin(scene().textureTable), std::end(scene().textureTable));
  ASSERT_EQ(loadTextures(scene().textureTable), 1);
  names.insert(names.end(), std::begin(scene().textureTable), std::end(scene().textureTable));
  EXPECT_EQ(std::set<GLuint>(names.begin(), names.end()).size(), names.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  for (std::size_t n = 0; n < names.size(); ++n) {  // the first load's textures are kept
    GLint width = 0, height = 0;
    glBindTexture(GL_TEXTURE_2D, names[n]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<std::uint8_t> pixels(3 * width * height);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(pixels, pictureFor(int(n) % textureCount).rgbBytes()) << n << ": " << width << "x" << height;
  }
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);  // the caller's unpacking is left as it was
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A missing file is the caller's to report, so nothing is said.
TEST_F(TextureLoading, MissingFileStopsTheLoadBeforeAnyTextureIsMade) {
  for (int index : {31, 17, 0}) {  // each before the files broken so far
    fs::remove(textureFileNames[index]);
    // Later files are empty: reading any of them would raise a message box.
    for (int later = index + 1; later < textureCount; ++later) writeFile(textureFileNames[later], {});
    EXPECT_EQ(loadTextures(scene().textureTable), 0) << index;
    EXPECT_TRUE(os_->messageBoxes.empty()) << index;
    for (GLuint name : scene().textureTable) ASSERT_EQ(name, sentinelName) << index;
  }
}
