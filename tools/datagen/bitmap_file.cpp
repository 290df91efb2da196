#include "tools/datagen/bitmap_file.h"

#include "tools/datagen/byte_writer.h"

namespace {
constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch
}  // namespace

int dibRowBytes24(int width) { return (width * 3 + 3) / 4 * 4; }

void writeInfoHeader24(ByteWriter& out, int width, int heightField, uint32_t imageBytes) {
  out.u32(kInfoHeaderBytes);
  out.i32(width);
  out.i32(heightField);
  out.u16(1);   // planes
  out.u16(24);  // bits per pixel
  out.u32(0);   // BI_RGB
  out.u32(imageBytes);
  out.i32(kPixelsPerMetre);
  out.i32(kPixelsPerMetre);
  out.u32(0);  // colours used
  out.u32(0);  // colours important
}

void writeDibPixels24(ByteWriter& out, const Image& image) {
  int padding = dibRowBytes24(image.width()) - image.width() * 3;
  for (int y = image.height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.width(); ++x) {
      Rgb p = image.pixel(x, y);
      out.u8(p.b);
      out.u8(p.g);
      out.u8(p.r);
    }
    out.zeros(static_cast<size_t>(padding));
  }
}

std::vector<uint8_t> encodeBmp24(const Image& image) {
  uint32_t pixelBytes = static_cast<uint32_t>(dibRowBytes24(image.width()) * image.height());
  ByteWriter out;
  out.u8('B');
  out.u8('M');
  out.u32(kFileHeaderBytes + kInfoHeaderBytes + pixelBytes);
  out.u32(0);  // reserved
  out.u32(kFileHeaderBytes + kInfoHeaderBytes);
  writeInfoHeader24(out, image.width(), image.height(), pixelBytes);
  writeDibPixels24(out, image);
  return out.bytes();
}
