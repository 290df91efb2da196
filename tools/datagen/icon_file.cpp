#include "tools/datagen/icon_file.h"

#include "tools/datagen/bitmap_file.h"
#include "tools/datagen/byte_writer.h"

namespace {
int maskRowBytes(int width) { return (width + 31) / 32 * 4; }

bool transparent(Rgb p) { return p.r == 0 && p.g == 0 && p.b == 0; }

std::vector<uint8_t> iconImage(const Image& picture) {
  int width = picture.width(), height = picture.height();
  uint32_t colourBytes = static_cast<uint32_t>(dibRowBytes24(width) * height);
  uint32_t maskBytes = static_cast<uint32_t>(maskRowBytes(width) * height);
  ByteWriter out;
  writeInfoHeader24(out, width, height * 2, colourBytes + maskBytes);
  writeDibPixels24(out, picture);
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(maskRowBytes(width)), 0);
    for (int x = 0; x < width; ++x)
      if (transparent(picture.pixel(x, y))) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
    out.append(row.data(), row.size());
  }
  return out.bytes();
}
}  // namespace

std::vector<uint8_t> encodeIcon(const std::vector<Image>& pictures) {
  std::vector<std::vector<uint8_t>> images;
  for (const Image& picture : pictures) images.push_back(iconImage(picture));
  ByteWriter out;
  out.u16(0);  // reserved
  out.u16(1);  // icon
  out.u16(static_cast<uint16_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.u8(static_cast<uint8_t>(pictures[i].width()));
    out.u8(static_cast<uint8_t>(pictures[i].height()));
    out.u8(0);  // no palette
    out.u8(0);
    out.u16(1);   // planes
    out.u16(24);  // bits per pixel
    out.u32(static_cast<uint32_t>(images[i].size()));
    out.u32(offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const std::vector<uint8_t>& image : images) out.append(image.data(), image.size());
  return out.bytes();
}
