#pragma once
// Where the last rifle shot that hit no enemy struck the wall; the weapons
// write it and every spark burst starts there. Before the first such shot it
// holds its start value, which no burst uses until the fire key is pressed.

struct ImpactPoint {
  double impactX = 0.0;
  double impactY = 10.0;
  double impactZ = 0.0;
};
