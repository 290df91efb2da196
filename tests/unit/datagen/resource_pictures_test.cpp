// The pictures the generator makes for the program's resources: the start
// dialog's title picture and the icon of the exe.
#include <gtest/gtest.h>

#include <set>

#include "tests/unit/datagen/data_readers.h"

TEST(ResourcePictures, TitlePictureFitsTheDialogsBitmapControl) {
  BmpPicture title = readBmp(generatedPath("title.bmp"));
  ASSERT_EQ(title.problem, "");
  EXPECT_EQ(title.width, 320);
  EXPECT_EQ(title.height, 165);
  std::set<std::vector<uint8_t>> rows;
  for (auto row = title.rgb.begin(); row != title.rgb.end(); row += title.width * 3)
    rows.emplace(row, row + title.width * 3);
  EXPECT_GT(rows.size(), 150u) << "a picture, not a plain field";
}

TEST(ResourcePictures, IconDirectoryPointsAtWellFormedPictures) {
  std::vector<uint8_t> icon = readWholeFile(generatedPath("brakmoor.ico"));
  ASSERT_GE(icon.size(), 6u);
  EXPECT_TRUE(le16(icon, 0) == 0 && le16(icon, 2) == 1) << "not an icon directory";
  size_t count = le16(icon, 4), end = 6 + 16 * count;
  ASSERT_TRUE(count >= 1 && icon.size() >= end) << count << " entries";
  for (size_t entry = 6; entry < 6 + 16 * count; entry += 16) {
    SCOPED_TRACE("entry at " + std::to_string(entry));
    int size = icon[entry];
    uint32_t bytes = le32(icon, entry + 8), offset = le32(icon, entry + 12);
    ASSERT_EQ(offset, end) << "pictures follow each other without gaps";
    ASSERT_LE(offset + bytes, icon.size());
    end = offset + bytes;
    EXPECT_TRUE((size == 16 || size == 32 || size == 48) && icon[entry + 1] == size) << size << "," << +icon[entry + 1];
    // The picture: an info header with doubled height (colours, then mask).
    EXPECT_TRUE(le32(icon, offset) == 40 && le32(icon, offset + 4) == static_cast<uint32_t>(size) &&
                le32(icon, offset + 8) == static_cast<uint32_t>(2 * size));
    size_t colourRow = (size * le16(icon, offset + 14) / 8 + 3) / 4 * 4, maskRow = (size + 31) / 32 * 4;
    EXPECT_EQ(bytes, 40 + (colourRow + maskRow) * size);
  }
  EXPECT_EQ(end, icon.size());
}
