#include "game/movement.h"

#include <cmath>

namespace {

constexpr float degreesToRadians = 0.017453292f;
constexpr float walkDistance = 0.1f;
constexpr float sideStepDistance = 0.05f;
constexpr float bobHeight = 0.05f;

float radians(float degrees) { return degrees * degreesToRadians; }

// How much of a walk step the walls let through: all of it, nothing, or the
// part along the wall the player touches.
enum class Step { none, full, xOnly, zOnly };

Step slideAlongWall(std::int32_t wallSide) {
  if (wallSide == 0 || wallSide == 1) return Step::xOnly;
  if (wallSide == 2 || wallSide == 3) return Step::zOnly;
  return Step::none;
}

Step allowedForwardStep(const MovementContext& context) {
  const CollisionFlags& f = context.flags;
  if (!context.collisionEnabled) return Step::full;
  if (f.front) return Step::none;
  if (!f.left && !f.right) return Step::full;
  if (f.back) return Step::none;
  if (f.left && f.right) return Step::none;
  return slideAlongWall(context.wallSide);
}

Step allowedBackwardStep(const MovementContext& context) {
  const CollisionFlags& f = context.flags;
  if (!context.collisionEnabled) return Step::full;
  if (!f.back && !f.left && !f.right) return Step::full;
  if (f.front || f.back) return Step::none;
  if (f.left && f.right) return Step::none;
  return slideAlongWall(context.wallSide);
}

// direction +1 walks backward, -1 forward (forward looks toward -z at
// heading 0).
void walk(PlayerState& player, Step step, float direction) {
  const float dx = std::sin(radians(player.heading)) * walkDistance;
  const float dz = std::cos(radians(player.heading)) * walkDistance;
  if (step == Step::full || step == Step::xOnly) player.offsetX += direction * dx;
  if (step == Step::full || step == Step::zOnly) player.offsetZ += direction * dz;
}

void sideStep(PlayerState& player, float turn) {
  const float angle = radians(player.heading + turn);
  player.offsetX += std::sin(angle) * sideStepDistance;
  player.offsetZ += std::cos(angle) * sideStepDistance;
}

void updateBobOffset(PlayerState& player) {
  player.bobOffset = std::sin(radians(player.bobAngle)) * bobHeight;
}

void advanceBob(PlayerState& player) {
  player.bobAngle = player.bobAngle < 359.0f ? player.bobAngle + 10.0f : 0.0f;
  updateBobOffset(player);
}

void rewindBob(PlayerState& player) {
  player.bobAngle = player.bobAngle > 1.0f ? player.bobAngle - 10.0f : 359.0f;
  updateBobOffset(player);
}

}  // namespace

void walkForward(PlayerState& player, const MovementContext& context) {
  walk(player, allowedForwardStep(context), -1.0f);
  advanceBob(player);
}

void walkBackward(PlayerState& player, const MovementContext& context) {
  walk(player, allowedBackwardStep(context), 1.0f);
  // The extra step looks only at the back, even with collision switched
  // off, so an open way back is walked at twice the forward speed.
  if (!context.flags.back) walk(player, Step::full, 1.0f);
  rewindBob(player);
}

void stepLeft(PlayerState& player, const MovementContext& context) {
  if (!context.collisionEnabled || !context.flags.left) sideStep(player, -90.0f);
  rewindBob(player);
}

void stepRight(PlayerState& player, const MovementContext& context) {
  if (!context.collisionEnabled || !context.flags.right) sideStep(player, 90.0f);
  rewindBob(player);
}
