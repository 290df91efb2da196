#include "game/mouse_look.h"

#include "platform/platform.h"

namespace {
constexpr float degreesPerPixel = 0.05f;
constexpr float pitchLimit = 30.0f;
}  // namespace

void applyMouseLook(PlayerState& player) {
  const os::CursorPosition cursor = osServices().cursorPosition();
  osServices().setCursorPosition(mouseLookCentreX, mouseLookCentreY);
  player.heading += static_cast<float>(mouseLookCentreX - cursor.x) * degreesPerPixel;
  player.pitch -= static_cast<float>(mouseLookCentreY - cursor.y) * degreesPerPixel;
  if (player.pitch > pitchLimit) {
    player.pitch = pitchLimit;
  } else if (player.pitch < -pitchLimit) {
    player.pitch = -pitchLimit;
  }
}
