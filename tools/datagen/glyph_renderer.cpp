#include "tools/datagen/glyph_renderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

struct GlyphRenderer::State {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
};

std::string fontPath(const char* fileName) {
  return std::string("/usr/share/fonts/truetype/dejavu/") + fileName;
}

GlyphRenderer::GlyphRenderer(const std::string& path) {
  auto state = std::make_unique<State>();
  if (FT_Init_FreeType(&state->library) != 0) {
    std::fprintf(stderr, "datagen: FreeType does not start\n");
    return;
  }
  if (FT_New_Face(state->library, path.c_str(), 0, &state->face) != 0) {
    std::fprintf(stderr, "datagen: cannot read font %s\n", path.c_str());
    FT_Done_FreeType(state->library);
    return;
  }
  state_ = std::move(state);
}

GlyphRenderer::~GlyphRenderer() {
  if (!state_) return;
  FT_Done_Face(state_->face);
  FT_Done_FreeType(state_->library);
}

GlyphMask GlyphRenderer::render(char32_t character, int pixelSize) const {
  GlyphMask mask;
  if (!state_) return mask;
  FT_Face face = state_->face;
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) return mask;
  if (FT_Load_Char(face, character, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return mask;
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  mask.width = static_cast<int>(bitmap.width);
  mask.height = static_cast<int>(bitmap.rows);
  mask.left = face->glyph->bitmap_left;
  mask.top = face->glyph->bitmap_top;
  mask.advance = static_cast<int>(face->glyph->advance.x >> 6);
  mask.coverage.resize(static_cast<size_t>(mask.width) * mask.height);
  for (int y = 0; y < mask.height; ++y)
    for (int x = 0; x < mask.width; ++x)
      mask.coverage[static_cast<size_t>(y) * mask.width + x] = bitmap.buffer[y * bitmap.pitch + x];
  return mask;
}

int GlyphRenderer::measure(const std::string& text, int pixelSize) const {
  int width = 0;
  for (char c : text) width += render(static_cast<unsigned char>(c), pixelSize).advance;
  return width;
}

void GlyphRenderer::drawText(Image& target, const std::string& text, int pixelSize, int x, int baselineY,
                             Colour c) const {
  int pen = x;
  for (char character : text) {
    GlyphMask glyph = render(static_cast<unsigned char>(character), pixelSize);
    for (int gy = 0; gy < glyph.height; ++gy)
      for (int gx = 0; gx < glyph.width; ++gx) {
        float alpha = glyph.coverage[static_cast<size_t>(gy) * glyph.width + gx] / 255.0f;
        if (alpha > 0.0f) target.blend(pen + glyph.left + gx, baselineY - glyph.top + gy, c, alpha);
      }
    pen += glyph.advance;
  }
}
