#pragma once
// BMP files written by the tests: a known picture in any layout a reader must
// take, so every decoded pixel can be checked.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "render/bitmap_image.h"
#include "tests/support/recording_os.h"
#include "tests/support/scratch_folder.h"

namespace bmptest {
namespace fs = std::filesystem;
inline std::uint8_t u8(std::uint64_t v) { return static_cast<std::uint8_t>(v); }

struct Rgb { std::uint8_t r, g, b; };

// rgb16 is 5-5-5 without masks; rgb565 carries its three channel masks.
enum class Encoding { rgb24, rgb32, rgb16, rgb565, palette1, palette4, palette8, rle8 };
inline unsigned bitCountOf(Encoding e) { return std::vector<unsigned>{24, 32, 16, 16, 1, 4, 8, 8}[int(e)]; }

// Rows bottom first, like the reader's output; neighbouring pixels differ, so a
// sheared or flipped decode cannot match. 16-bit files get channels of 0 or 255.
struct Picture {
  Picture(int w, int h, Encoding e) : width(w), height(h) {
    for (int i = 0; i < (e == Encoding::palette1 ? 2 : 7); ++i)
      colours.push_back(bitCountOf(e) == 16 ? Rgb{u8(i & 1 ? 255 : 0), u8(i & 2 ? 255 : 0), u8(i & 4 ? 255 : 0)}
                                            : Rgb{u8(i * 37 + 11), u8(255 - i * 13), u8(i * 101 + 3)});
  }
  unsigned index(int x, int row) const { return (x * 3 + row * 5 + x * row) % colours.size(); }
  std::vector<std::uint8_t> rgbBytes() const {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < width * height; ++i) bytes.insert(bytes.end(), {at(i).r, at(i).g, at(i).b});
    return bytes;
  }
  const Rgb& at(int i) const { return colours[index(i % width, i / width)]; }
  int width, height;
  std::vector<Rgb> colours;
};

// The core header is the 12-byte OS/2 one, always with a full colour table.
struct Options {
  Encoding encoding = Encoding::rgb24;
  bool fileHeader = true, coreHeader = false, topDown = false;
  std::uint32_t headerSize = 40;  // larger sizes are written zero-filled
};

// Little-endian fields of the given byte sizes.
inline void put(std::vector<std::uint8_t>& out,
                std::initializer_list<std::pair<std::int64_t, std::int64_t>> fields) {
  for (auto [value, bytes] : fields)
    for (int i = 0; i < bytes; ++i) out.push_back(u8(static_cast<std::uint64_t>(value) >> 8 * i));
}

inline std::vector<std::uint8_t> encode(const Picture& p, const Options& o = {}) {
  unsigned bits = bitCountOf(o.encoding);
  bool rle = o.encoding == Encoding::rle8, masks = o.encoding == Encoding::rgb565;
  std::vector<std::uint8_t> pixels, header, file;
  for (int i = 0; i < p.height; ++i) {
    int row = o.topDown ? p.height - 1 - i : i;
    std::vector<std::uint8_t> packed(bits <= 8 && !rle ? (p.width * bits + 7) / 8 : 0);
    for (int x = 0; x < p.width; ++x) {
      const Rgb& c = p.colours[p.index(x, row)];
      if (rle) put(pixels, {{1, 1}, {p.index(x, row), 1}});  // runs of one pixel
      else if (bits <= 8) packed[x * bits / 8] |= u8(p.index(x, row) << (8 - bits - x * bits % 8));
      else if (bits == 16) put(pixels, {{(c.r >> 3) << (10 + masks) | (c.g >> (3 - masks)) << 5 | c.b >> 3, 2}});
      else put(pixels, {{c.b | c.g << 8 | c.r << 16, bits / 8}});
    }
    pixels.insert(pixels.end(), packed.begin(), packed.end());
    if (rle) put(pixels, {{0, 2}});  // end of line
    while (!rle && pixels.size() % 4) pixels.push_back(0);
  }
  if (rle) put(pixels, {{0, 1}, {1, 1}});  // end of picture

  std::vector<Rgb> table = p.colours;
  table.resize(bits > 8 ? 0 : o.coreHeader ? std::size_t{1} << bits : table.size());
  if (o.coreHeader) put(header, {{12, 4}, {p.width, 2}, {p.height, 2}, {1, 2}, {bits, 2}});
  else put(header, {{o.headerSize, 4}, {p.width, 4}, {o.topDown ? -p.height : p.height, 4}, {1, 2}, {bits, 2},
                    {rle ? 1 : masks ? 3 : 0, 4}, {static_cast<std::int64_t>(pixels.size()), 4}, {0, 8},
                    {static_cast<std::int64_t>(table.size()), 4}, {0, 4}});
  header.resize(o.coreHeader ? 12 : o.headerSize, 0);
  if (masks) put(header, {{0xF800, 4}, {0x07E0, 4}, {0x001F, 4}});
  for (const Rgb& c : table) put(header, {{c.b | c.g << 8 | c.r << 16, o.coreHeader ? 3 : 4}});
  if (o.fileHeader) put(header, {{0, 4}});  // a gap: the pixels lie where the file header says
  std::int64_t start = 14 + std::int64_t(header.size()), end = start + std::int64_t(pixels.size());
  if (o.fileHeader) put(file, {{'B', 1}, {'M', 1}, {end, 4}, {0, 4}, {start, 4}});
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// A scratch folder holding Data/BMP/ and OS services that record message
// boxes, for tests that read files through the game's reader.
class BitmapReading : public ::testing::Test {
 protected:
  BitmapReading() { fs::create_directories("Data/BMP"); }
  // Writes each layout at widths 1, 2, 3, 5 and 7 (rows of every padding),
  // reads it back through loadBitmapFile and compares every pixel.
  void expectRoundTrips(std::initializer_list<Options> layouts) {
    for (const Options& o : layouts)
      for (int width : {1, 2, 3, 5, 7}) {
        SCOPED_TRACE(::testing::Message() << "layout " << &o - layouts.begin() << ", width " << width);
        Picture picture(width, 3, o.encoding);
        writeFile("picture.bmp", encode(picture, o));
        BitmapImage* image = loadBitmapFile("picture.bmp");
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(std::vector<int>({image->width, image->height}), std::vector<int>({width, 3}));
        EXPECT_EQ(std::vector<std::uint8_t>(image->pixels, image->pixels + 9 * width), picture.rgbBytes());
        freeBitmapImage(image);
      }
    EXPECT_TRUE(os_->messageBoxes.empty());
  }
  ScratchFolder folder_;
  ScopedRecordingOs os_;
};

}  // namespace bmptest
