#include "tools/datagen/masonry.h"

#include <algorithm>
#include <cmath>

#include "tools/datagen/noise.h"
#include "tools/datagen/random.h"

namespace {
struct BlockSpot {
  int row, column;        // which block
  int localX, localY;     // position inside it
  int width, height;      // its size
};

BlockSpot locate(int size, const std::vector<BlockRow>& rows, int x, int y) {
  BlockSpot spot{};
  int top = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    const BlockRow& row = rows[r];
    if (y < top + row.height || r + 1 == rows.size()) {
      spot.row = static_cast<int>(r);
      spot.localY = y - top;
      spot.height = row.height;
      int shifted = ((x - row.offset) % size + size) % size;
      int left = 0;
      for (size_t c = 0; c < row.widths.size(); ++c) {
        if (shifted < left + row.widths[c] || c + 1 == row.widths.size()) {
          spot.column = static_cast<int>(c);
          spot.localX = shifted - left;
          spot.width = row.widths[c];
          break;
        }
        left += row.widths[c];
      }
      return spot;
    }
    top += row.height;
  }
  return spot;
}

// 1 inside the block, falling toward its edges: a rounded, worn edge.
float bevelShade(const BlockSpot& spot, int inset, int bevel) {
  int dx = std::min(spot.localX - inset, spot.width - 1 - inset - spot.localX);
  int dy = std::min(spot.localY - inset, spot.height - 1 - inset - spot.localY);
  int d = std::min(dx, dy);
  if (bevel <= 0 || d >= bevel) return 1.0f;
  float t = static_cast<float>(d) / bevel;
  // Upper and left edges catch the light, lower and right ones lie in shade.
  bool lit = (spot.localY - inset < bevel && dy == d) || (spot.localX - inset < bevel && dx == d);
  return lit ? 1.25f - 0.25f * t : 0.7f + 0.3f * t;
}
}  // namespace

Image paintMasonry(int size, const std::vector<BlockRow>& rows, const MasonryStyle& style) {
  FractalNoise grain(style.grainPeriod, 4, style.seed);
  FractalNoise stains(4, 3, style.seed + 101);
  Image image(size, size);
  int inset = style.mortarWidth / 2;
  image.paint([&](int x, int y) {
    float u = static_cast<float>(x) / size, v = static_cast<float>(y) / size;
    float roughness = 1.0f + (grain.at(u, v) - 0.5f) * 2.0f * style.grain;
    BlockSpot spot = locate(size, rows, x, y);
    bool inMortar = spot.localX < inset || spot.localY < inset ||
                    spot.localX >= spot.width - (style.mortarWidth - inset) ||
                    spot.localY >= spot.height - (style.mortarWidth - inset);
    if (inMortar) return scaled(style.mortar, roughness);
    Random blockRandom(style.seed * 1000003u + static_cast<uint64_t>(spot.row) * 977u + spot.column);
    float pick = blockRandom.unit();
    float brightness = 1.0f + blockRandom.signedUnit() * style.brightnessJitter;
    Colour base = style.checker ? ((spot.row + spot.column) % 2 ? style.alternate : style.base)
                                : mix(style.base, style.alternate, pick);
    float dirt = 0.85f + 0.3f * stains.at(u, v);
    return scaled(base, brightness * roughness * dirt * bevelShade(spot, inset, style.bevel));
  });
  return image;
}

std::vector<BlockRow> brickRows(int size, int brickWidth, int brickHeight) {
  std::vector<BlockRow> rows;
  for (int r = 0; r < size / brickHeight; ++r)
    rows.push_back({brickHeight, (r % 2) * brickWidth / 2, std::vector<int>(size / brickWidth, brickWidth)});
  return rows;
}

std::vector<BlockRow> tileRows(int size, int tileSize) {
  return std::vector<BlockRow>(size / tileSize, BlockRow{tileSize, 0, std::vector<int>(size / tileSize, tileSize)});
}

std::vector<BlockRow> randomBlockRows(int size, const std::vector<int>& heights, int minWidth, int maxWidth,
                                      uint64_t seed) {
  Random random(seed);
  std::vector<BlockRow> rows;
  for (int height : heights) {
    BlockRow row{height, random.below(size), {}};
    int left = size;
    while (left > 0) {
      int width = minWidth + random.below(maxWidth - minWidth + 1);
      // The last block takes what is left, never a sliver.
      if (left - width < minWidth) width = left;
      row.widths.push_back(width);
      left -= width;
    }
    rows.push_back(row);
  }
  return rows;
}
