#pragma once
// The player's collision state: which sides of the player box touched the
// world, and which triangles met. Recomputed by every frame, read by the
// movement of the input step that follows it.

#include <cstdint>

struct CollisionModels;

struct CollisionFlags {
  std::int32_t front = 0;
  std::int32_t back = 0;
  std::int32_t left = 0;
  std::int32_t right = 0;
};

struct PlayerCollision {
  bool collided = false;
  CollisionFlags flags;
  // Player-box triangle (0 to 15) and world triangle of the last contact.
  std::int32_t collidedBoxTriangle = 0;
  std::int32_t collidedWorldTriangle = 0;
  // Frames in which the diagnostic ray from enemy 0 met the player box.
  std::int32_t diagnosticRayHits = 0;
};

// Sets the flag of the side that a player-box triangle belongs to: 0 to 3
// front, 4 to 7 back, 8 to 11 left, 12 to 15 right; other indices set none.
// Flags already set stay set.
void markContactSide(CollisionFlags& flags, std::int32_t boxTriangle);

// Gives the world model the current model-view matrix (the camera), so the
// world is compared in eye space.
void setWorldCollisionTransform(const CollisionModels& models);

// The box test of the frame, with the model-view matrix placing the box in
// front of the eye: on contact the touched side's flag is set (sides touched
// in consecutive frames accumulate); a frame without contact clears all four.
// (enemyX, enemyZ) is enemy 0, where the diagnostic ray starts.
void testPlayerCollision(PlayerCollision& collision, const CollisionModels& models,
                         float enemyX, float enemyZ);
