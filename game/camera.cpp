#include "game/camera.h"

#include "render/gl_api.h"

namespace {
constexpr float eyeHeight = 0.8f;
}

void placeCamera(PlayerState& player, std::int32_t startX, std::int32_t startY) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(player.pitch, 1.0f, 0.0f, 0.0f);
  glRotatef(360.0f - player.heading, 0.0f, 1.0f, 0.0f);
  player.cameraY = -player.bobOffset - eyeHeight;
  player.cameraX = static_cast<float>(1 - 2 * startX) - player.offsetX;
  player.cameraZ = static_cast<float>(2 * startY - 1) - player.offsetZ;
  glTranslatef(player.cameraX, player.cameraY, player.cameraZ);
}
