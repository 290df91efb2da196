#include "game/controls.h"
#include "world/world_geometry.h"

namespace {

// The border of the world triangle the player box last touched. The index
// comes from the collision library; one that names no triangle (an empty or
// rebuilt world) gives no wall, so the player does not slide.
std::int32_t lastCollidedWallSide() {
  const std::int32_t index = playerCollision.collidedWorldTriangle;
  if (worldTriangles == nullptr || index < 0 || index >= worldTriangleCount) {
    return noWallSide;
  }
  return worldTriangles[index].side;
}

}  // namespace

MovementContext movementContextOfLastFrame() {
  return MovementContext{gameFlags.collisionEnabled, playerCollision.flags,
                         lastCollidedWallSide()};
}
