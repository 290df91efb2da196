#include "game/controls.h"
#include "world/world_geometry.h"

namespace {

// The border of the world triangle the player box last touched. The index
// comes from the collision library; one that names no triangle (an empty or
// rebuilt world) gives no wall, so the player does not slide.
std::int32_t lastCollidedWallSide(const PlayerCollision& collision) {
  const std::int32_t index = collision.collidedWorldTriangle;
  if (worldTriangles == nullptr || index < 0 || index >= worldTriangleCount) {
    return noWallSide;
  }
  return worldTriangles[index].side;
}

}  // namespace

MovementContext movementContextOfLastFrame(const Game& state) {
  return MovementContext{state.flags.collisionEnabled, state.collision.flags,
                         lastCollidedWallSide(state.collision)};
}
