#include "tools/datagen/title_art.h"

#include <cmath>

#include "tools/datagen/glyph_renderer.h"
#include "tools/datagen/maze_view.h"

namespace {
const char kGameName[] = "BRAKMOOR";

// Looking from the start cell along its longest open line of sight.
MazeCamera startView(const MazeGrid& grid) {
  GridCell start = grid.start();
  const int steps[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
  int best = 0, bestReach = -1;
  for (int i = 0; i < 4; ++i) {
    int reach = 0;
    while (grid.open(start.x + steps[i][0] * (reach + 1), start.y + steps[i][1] * (reach + 1))) ++reach;
    if (reach > bestReach) best = i, bestReach = reach;
  }
  // Step back a little so the walls on both sides frame the picture.
  float heading = static_cast<float>(best) * 1.5707963f + 0.35f;
  return {start.x - 0.5f - 0.3f * std::cos(heading), start.y - 0.5f - 0.3f * std::sin(heading), heading};
}
}  // namespace

void drawGameName(Image& target, int pixelSize, int baselineY, float opacity) {
  GlyphRenderer bold(fontPath("DejaVuSans-Bold.ttf"));
  int x = (target.width() - bold.measure(kGameName, pixelSize)) / 2;
  int shadow = std::max(1, pixelSize / 16);
  // The shadow darkens whatever lies behind it; the lettering lies on top.
  Image mask(target.width(), target.height());
  bold.drawText(mask, kGameName, pixelSize, x + shadow, baselineY + shadow, {1.0f, 1.0f, 1.0f});
  for (int y = 0; y < target.height(); ++y)
    for (int column = 0; column < target.width(); ++column)
      target.blend(column, y, {0.0f, 0.0f, 0.0f}, mask.colour(column, y).r * opacity * 0.8f);
  Image letters(target.width(), target.height());
  bold.drawText(letters, kGameName, pixelSize, x, baselineY, {1.0f, 1.0f, 1.0f});
  for (int y = 0; y < target.height(); ++y) {
    // Gold, brighter toward the top of the letters.
    Colour gold = mix({1.0f, 0.9f, 0.45f}, {0.75f, 0.45f, 0.1f},
                      std::min(1.0f, std::max(0.0f, (y - (baselineY - pixelSize * 0.75f)) / (pixelSize * 0.75f))));
    for (int column = 0; column < target.width(); ++column)
      target.blend(column, y, gold, letters.colour(column, y).r * opacity);
  }
}

Image makeTitlePicture(const MazeGrid& grid) {
  Image picture(kTitleWidth, kTitleHeight);
  MazeView(grid).render(picture, startView(grid));
  drawGameName(picture, 44, 98, 1.0f);
  return picture;
}
