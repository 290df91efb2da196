#include "game/controls.h"
#include "world/world.h"

namespace {

// The border of the world triangle the player box last touched. The index
// comes from the collision library; one that names no triangle (an empty or
// rebuilt world) gives no wall, so the player does not slide.
std::int32_t lastCollidedWallSide(const PlayerCollision& collision, const World& world) {
  const std::int32_t index = collision.collidedWorldTriangle;
  if (index < 0 || index >= world.worldTriangleCount()) return noWallSide;
  return world.worldTriangles[index].side;
}

}  // namespace

MovementContext movementContextOfLastFrame(const Game& state, const World& world) {
  return MovementContext{state.flags.collisionEnabled, state.collision.flags,
                         lastCollidedWallSide(state.collision, world)};
}
