#include "game/collision_overlay.h"

#include "game/game.h"
#include "render/scene_resources.h"
#include "render/gl_api.h"
#include "world/collision_models.h"

namespace {

struct SideLabel {
  const std::int32_t CollisionFlags::*flag;
  const char* name;
  std::int32_t y;
};

const SideLabel sideLabels[] = {
    {&CollisionFlags::front, "FRONT", 50},
    {&CollisionFlags::back, "BACK", 70},
    {&CollisionFlags::left, "LEFT", 90},
    {&CollisionFlags::right, "RIGHT", 110},
};

void drawSideLabels(const CollisionFlags& flags, BitmapFont& smallFont) {
  for (const SideLabel& label : sideLabels) {
    if (flags.*label.flag) smallFont.print(50, label.y, label.name);
  }
}

// The front and back spikes and one copy each of the left and right flats:
// the box's shape without its repeated triangles.
constexpr int outlineTriangles[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 12};

void drawPlayerBoxOutlineTriangles() {
  glBegin(GL_TRIANGLES);
  for (int index : outlineTriangles) {
    const float* corners = playerBoxTriangles[index];
    for (int corner = 0; corner < 3; ++corner) glVertex3fv(corners + 3 * corner);
  }
  glEnd();
}

// Ends in fill mode, which also ends a line mode chosen with W.
void drawBoxOutline() {
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  drawPlayerBoxOutlineTriangles();
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

}  // namespace

void drawCollisionOverlay(const Game& state, SceneResources& scene) {
  BitmapFont& smallFont = scene.smallFont;
  smallFont.setFirstChar(32);
  if (!state.flags.collisionEnabled) smallFont.print(20, 60, "Collision Detected Disabled");
  if (!state.flags.showCollisionDebug) return;
  drawSideLabels(state.collision.flags, smallFont);
  drawBoxOutline();
}
