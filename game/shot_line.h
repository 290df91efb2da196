#pragma once
// The line a shot travels: its direction from the player's heading and the
// first solid grid cell on it, sampled one world unit apart from the eye.
// Enemies behind that cell, or on a line that meets no solid cell at all,
// cannot be hit.

#include <cstdint>

#include "world/level.h"

// Unit direction of a shot in the horizontal plane.
struct ShotDirection {
  float x;
  float z;
};

// Number of samples along a shot line; sample s lies s units from the eye.
constexpr std::int32_t shotSampleCount = 16;

// The walking-forward direction at `heading` degrees (toward -z at 0),
// computed in single precision.
ShotDirection shotDirectionOfHeading(float heading);

// Sample s of a shot: s units along `dir` from the eye, whose negation is
// (cameraX, cameraZ), in single precision.
struct ShotSample {
  float x;
  float z;
};
ShotSample shotSample(std::int32_t s, float cameraX, float cameraZ, ShotDirection dir);

// Whether the cell under the world point (px, pz) stops a shot. The shot's
// cell formula maps x in [2c - 2, 2c) to column c, which differs from the
// one enemies walk by. A point outside the 255 x 255 grid (also a NaN or
// huge coordinate, possible with collision switched off) counts as solid.
bool shotCellSolid(const LevelData& level, float px, float pz);

// Sample number (0 to 15) of the first solid cell on the shot line from the
// eye; cameraX and cameraZ are the negated eye position, as the camera step
// stores it. 0 when no sample is solid, in which case the shot hits no enemy
// (as it hits none from an eye inside a solid cell, sample 0).
std::int32_t shotWallStep(const LevelData& level, float cameraX, float cameraZ, ShotDirection dir);
