#include "render/texture_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "tests/support/gl_context.h"
#include "tests/support/recording_os.h"
#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;
namespace fs = std::filesystem;

// Runs each test inside a scratch folder holding Data/BMP/, the way the game
// runs inside its own folder.
class TextureTable : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    root_ = fs::temp_directory_path() /
            ("brakmoor_textures_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "Data" / "BMP");
    fs::current_path(root_);
    ASSERT_TRUE(gl_.ok());
    std::fill(std::begin(textureTable), std::end(textureTable), sentinelName);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(root_);
  }

  // Texture i is a small picture of its own colours; widths vary so that
  // rows of 3 x width bytes that are not a multiple of 4 are covered.
  static Picture pictureFor(int index) {
    std::vector<Rgb> colours = distinctColours(5);
    for (Rgb& c : colours) c.g = static_cast<std::uint8_t>(index * 8);
    return patterned(1 + index % 7, 2 + index % 3, colours);
  }

  void writeAllFiles() {
    // Index 9 shares the file of index 1.
    for (int i = 0; i < textureCount; ++i)
      if (i != 9) writeFile(textureFileNames[i], encode(pictureFor(i)));
  }

  static std::vector<std::uint8_t> uploadedPixels(GLuint name, int* width, int* height) {
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
    std::vector<std::uint8_t> pixels(3 * *width * *height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return pixels;
  }

  static constexpr GLuint sentinelName = 0xBEEF;
  TestGlContext gl_;
  ScopedRecordingOs os_;
  fs::path previous_;
  fs::path root_;
};

TEST(TextureFileNames, NameTheFilesOfEveryIndex) {
  EXPECT_STREQ(textureFileNames[0], "Data/BMP/floor1.bmp");
  EXPECT_STREQ(textureFileNames[10], "Data/BMP/brick06b.bmp");
  EXPECT_STREQ(textureFileNames[17], "Data/BMP/font512.bmp");
  EXPECT_STREQ(textureFileNames[18], "Data/BMP/font256.bmp");
  EXPECT_STREQ(textureFileNames[31], "Data/BMP/crosshair.bmp");
  EXPECT_STREQ(textureFileNames[1], textureFileNames[9]);
  std::set<std::string> distinct(std::begin(textureFileNames), std::end(textureFileNames));
  EXPECT_EQ(distinct.size(), 31u);  // only index 9 repeats a file
}

TEST_F(TextureTable, UploadsEveryImageWithItsSettings) {
  writeAllFiles();
  ASSERT_EQ(loadTextures(), 1);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  std::set<GLuint> names(std::begin(textureTable), std::end(textureTable));
  EXPECT_EQ(names.size(), static_cast<std::size_t>(textureCount));
  for (int i = 0; i < textureCount; ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(glIsTexture(textureTable[i]));
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels = uploadedPixels(textureTable[i], &width, &height);
    Picture expected = pictureFor(i == 9 ? 1 : i);
    EXPECT_EQ(width, expected.width);
    EXPECT_EQ(height, expected.height);
    EXPECT_EQ(pixels, expected.rgbBytes());
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &value);
    EXPECT_TRUE(value == 3 || value == GL_RGB) << value;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 0);  // no mipmaps
  }
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);  // the caller's unpacking is left as it was
  EXPECT_TRUE(os_->messageBoxes.empty());
}

TEST_F(TextureTable, SecondLoadGivesNewNamesAndKeepsTheOldTextures) {
  writeAllFiles();
  ASSERT_EQ(loadTextures(), 1);
  std::vector<GLuint> first(std::begin(textureTable), std::end(textureTable));
  ASSERT_EQ(loadTextures(), 1);
  for (int i = 0; i < textureCount; ++i) {
    EXPECT_EQ(std::count(first.begin(), first.end(), textureTable[i]), 0) << i;
    EXPECT_TRUE(glIsTexture(first[i])) << i;
  }
}

TEST_F(TextureTable, MissingFileStopsTheLoadBeforeAnyTextureIsMade) {
  for (int missing : {0, 17, 31}) {
    SCOPED_TRACE(missing);
    writeAllFiles();
    fs::remove(textureFileNames[missing]);
    // Later files are empty: reading any of them would raise a message box.
    for (int later = missing + 1; later < textureCount; ++later) writeFile(textureFileNames[later], {});
    EXPECT_EQ(loadTextures(), 0);
    EXPECT_TRUE(os_->messageBoxes.empty());
    for (GLuint name : textureTable) ASSERT_EQ(name, sentinelName);
    EXPECT_FALSE(glIsTexture(1));  // no name was ever generated in this context
  }
}

TEST_F(TextureTable, UnreadableFileIsReportedByTheReaderAndMakesNothing) {
  writeAllFiles();
  writeFile(textureFileNames[5], {});
  EXPECT_EQ(loadTextures(), 0);
  ASSERT_EQ(os_->messageBoxes.size(), 1u);
  EXPECT_EQ(os_->messageBoxes[0].text, "Failed to open DIB file Data/BMP/water03b.bmp.\n");
  for (GLuint name : textureTable) ASSERT_EQ(name, sentinelName);
}
