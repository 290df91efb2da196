#pragma once
// BMP files written by the tests themselves: a known picture encoded in any
// of the layouts the reader must take, so that every decoded pixel can be
// compared with the picture it came from. Shared by the native and the
// Windows test programs.

#include <cstdint>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace bmptest {

struct Rgb {
  std::uint8_t r, g, b;
  bool operator<(const Rgb& o) const {
    return (r << 16 | g << 8 | b) < (o.r << 16 | o.g << 8 | o.b);
  }
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Rows bottom first, like the reader's output.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  const Rgb& at(int x, int row) const { return pixels[static_cast<std::size_t>(row) * width + x]; }
  // Packed red, green, blue bytes, bottom row first: the reader's output.
  std::vector<std::uint8_t> rgbBytes() const {
    std::vector<std::uint8_t> bytes;
    for (const Rgb& p : pixels) bytes.insert(bytes.end(), {p.r, p.g, p.b});
    return bytes;
  }
};

// A picture whose neighbouring pixels differ, drawn from `colours` distinct
// colours; a sheared or flipped decode cannot match it.
inline Picture patterned(int width, int height, const std::vector<Rgb>& colours) {
  Picture p;
  p.width = width;
  p.height = height;
  for (int row = 0; row < height; ++row)
    for (int x = 0; x < width; ++x)
      p.pixels.push_back(colours[(x * 3 + row * 5 + x * row) % colours.size()]);
  return p;
}

inline std::vector<Rgb> distinctColours(int count) {
  std::vector<Rgb> colours;
  for (int i = 0; i < count; ++i)
    colours.push_back({static_cast<std::uint8_t>(i * 37 + 11), static_cast<std::uint8_t>(255 - i * 13),
                       static_cast<std::uint8_t>(i * 101 + 3)});
  return colours;
}

// Colours whose channels are 0 or 255 survive 5-bit channels unchanged.
inline std::vector<Rgb> extremeColours() {
  std::vector<Rgb> colours;
  for (int i = 0; i < 8; ++i)
    colours.push_back({static_cast<std::uint8_t>(i & 1 ? 255 : 0), static_cast<std::uint8_t>(i & 2 ? 255 : 0),
                       static_cast<std::uint8_t>(i & 4 ? 255 : 0)});
  return colours;
}

// rgb16 is 5-5-5 without masks; rgb565 carries its three channel masks.
enum class Encoding { rgb24, rgb32, rgb16, rgb565, palette1, palette4, palette8, rle8 };

struct Options {
  Encoding encoding = Encoding::rgb24;
  bool fileHeader = true;
  bool coreHeader = false;  // the 12-byte OS/2 header
  bool topDown = false;
  bool fullTable = false;   // write 2^depth palette entries and colours used 0
  std::uint32_t headerSize = 0;  // nonzero: write this size (zero-filled) instead
};

inline void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v);
  put16(out, v >> 16);
}

inline unsigned bitCountOf(Encoding e) {
  switch (e) {
    case Encoding::rgb24: return 24;
    case Encoding::rgb32: return 32;
    case Encoding::rgb16:
    case Encoding::rgb565: return 16;
    case Encoding::palette1: return 1;
    case Encoding::palette4: return 4;
    default: return 8;
  }
}

inline std::vector<Rgb> paletteOf(const Picture& p, unsigned bitCount) {
  std::set<Rgb> unique(p.pixels.begin(), p.pixels.end());
  if (unique.size() > (1u << bitCount)) throw std::logic_error("too many colours for the palette");
  return std::vector<Rgb>(unique.begin(), unique.end());
}

inline unsigned indexOf(const std::vector<Rgb>& palette, const Rgb& c) {
  for (unsigned i = 0; i < palette.size(); ++i)
    if (palette[i] == c) return i;
  throw std::logic_error("colour not in palette");
}

inline std::vector<std::uint8_t> encodeRow(const Picture& p, int row, Encoding e,
                                           const std::vector<Rgb>& palette) {
  std::vector<std::uint8_t> out;
  unsigned bits = bitCountOf(e);
  if (bits <= 8) {
    unsigned accumulator = 0, filled = 0;
    for (int x = 0; x < p.width; ++x) {
      accumulator = accumulator << bits | indexOf(palette, p.at(x, row));
      filled += bits;
      if (filled == 8) {
        out.push_back(static_cast<std::uint8_t>(accumulator));
        accumulator = filled = 0;
      }
    }
    if (filled) out.push_back(static_cast<std::uint8_t>(accumulator << (8 - filled)));
  } else {
    for (int x = 0; x < p.width; ++x) {
      const Rgb& c = p.at(x, row);
      if (e == Encoding::rgb565) {
        put16(out, (c.r >> 3) << 11 | (c.g >> 2) << 5 | (c.b >> 3));
      } else if (bits == 16) {
        put16(out, (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3));
      } else {
        out.insert(out.end(), {c.b, c.g, c.r});
        if (bits == 32) out.push_back(0);
      }
    }
  }
  while (out.size() % 4) out.push_back(0);
  return out;
}

// Run-length rows: runs of equal indices, end of line after each row, end of
// picture at the end.
inline std::vector<std::uint8_t> encodeRle8(const Picture& p, const std::vector<Rgb>& palette) {
  std::vector<std::uint8_t> out;
  for (int row = 0; row < p.height; ++row) {
    for (int x = 0; x < p.width;) {
      unsigned index = indexOf(palette, p.at(x, row));
      int run = 1;
      while (x + run < p.width && run < 255 && indexOf(palette, p.at(x + run, row)) == index) ++run;
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(static_cast<std::uint8_t>(index));
      x += run;
    }
    out.insert(out.end(), {0, 0});
  }
  out.insert(out.end(), {0, 1});
  return out;
}

inline std::vector<std::uint8_t> encode(const Picture& p, const Options& o = {}) {
  unsigned bits = bitCountOf(o.encoding);
  std::vector<Rgb> palette = bits <= 8 ? paletteOf(p, bits) : std::vector<Rgb>{};
  bool fullTable = o.coreHeader || o.fullTable;  // OS/2 tables are always full
  if (bits <= 8 && fullTable) palette.resize(std::size_t{1} << bits);

  std::vector<std::uint8_t> pixels;
  if (o.encoding == Encoding::rle8) {
    pixels = encodeRle8(p, palette);
  } else {
    for (int i = 0; i < p.height; ++i) {
      std::vector<std::uint8_t> row = encodeRow(p, o.topDown ? p.height - 1 - i : i, o.encoding, palette);
      pixels.insert(pixels.end(), row.begin(), row.end());
    }
  }

  std::vector<std::uint8_t> header;
  if (o.coreHeader) {
    put32(header, 12);
    put16(header, p.width);
    put16(header, p.height);
    put16(header, 1);
    put16(header, bits);
    for (const Rgb& c : palette) header.insert(header.end(), {c.b, c.g, c.r});
  } else {
    std::uint32_t size = o.headerSize ? o.headerSize : 40;
    put32(header, size);
    put32(header, static_cast<std::uint32_t>(p.width));
    put32(header, static_cast<std::uint32_t>(o.topDown ? -p.height : p.height));
    put16(header, 1);
    put16(header, bits);
    put32(header, o.encoding == Encoding::rle8 ? 1 : o.encoding == Encoding::rgb565 ? 3 : 0);
    put32(header, o.encoding == Encoding::rle8 ? static_cast<std::uint32_t>(pixels.size()) : 0);
    put32(header, 2835);
    put32(header, 2835);
    put32(header, fullTable ? 0 : static_cast<std::uint32_t>(palette.size()));
    put32(header, 0);
    header.resize(size, 0);
    if (o.encoding == Encoding::rgb565)
      for (std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) put32(header, mask);
    for (const Rgb& c : palette) header.insert(header.end(), {c.b, c.g, c.r, 0});
  }

  std::vector<std::uint8_t> file;
  if (o.fileHeader) {
    file.push_back('B');
    file.push_back('M');
    put32(file, static_cast<std::uint32_t>(14 + header.size() + pixels.size()));
    put32(file, 0);
    put32(file, static_cast<std::uint32_t>(14 + header.size()));
  }
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

inline void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}
}  // namespace bmptest
