#include "tools/datagen/font_sheets.h"

#include "tools/datagen/glyph_renderer.h"

namespace {
constexpr int kGrid = 16;
constexpr int kBoldGlyphBase = 128;
constexpr int kFirstCharacter = 32;
constexpr int kCharacterCount = 95;  // 32 to 126; 127 has no picture

// Renders the biggest glyph up to `pixelSize` that fits the printing width.
GlyphMask fittingGlyph(const GlyphRenderer& face, char32_t character, int pixelSize, int maxWidth) {
  GlyphMask glyph = face.render(character, pixelSize);
  while (glyph.width > maxWidth && pixelSize > 6) glyph = face.render(character, --pixelSize);
  return glyph;
}

void drawSet(Image& sheet, const GlyphRenderer& face, FontSheetLayout layout, int firstGlyph) {
  int pixelSize = layout.cellSize * 3 / 4;
  int baseline = layout.cellSize - layout.cellSize * 7 / 32;  // room below for descenders
  for (int i = 0; i < kCharacterCount; ++i) {
    int g = firstGlyph + i;
    int cellX = (g % kGrid) * layout.cellSize, cellY = (g / kGrid) * layout.cellSize;
    GlyphMask glyph = fittingGlyph(face, static_cast<char32_t>(kFirstCharacter + i), pixelSize, layout.advance - 1);
    int left = cellX + (layout.advance - glyph.width) / 2;
    int top = cellY + baseline - glyph.top;
    for (int y = 0; y < glyph.height; ++y)
      for (int x = 0; x < glyph.width; ++x) {
        int px = left + x, py = top + y;
        // Ink never spills into a neighbouring cell.
        if (px < cellX || py < cellY || px >= cellX + layout.cellSize || py >= cellY + layout.cellSize) continue;
        float v = glyph.coverage[static_cast<size_t>(y) * glyph.width + x] / 255.0f;
        sheet.set(px, py, {v, v, v});
      }
  }
}
}  // namespace

std::optional<Image> makeFontSheet(FontSheetLayout layout) {
  GlyphRenderer regular(fontPath("DejaVuSans.ttf"));
  GlyphRenderer bold(fontPath("DejaVuSans-Bold.ttf"));
  if (regular.failed() || bold.failed()) return std::nullopt;
  Image sheet(layout.cellSize * kGrid, layout.cellSize * kGrid);
  drawSet(sheet, regular, layout, 0);
  drawSet(sheet, bold, layout, kBoldGlyphBase);
  return sheet;
}
