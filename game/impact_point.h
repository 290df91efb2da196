#pragma once
// Where the last rifle shot that hit no enemy met the wall; spark bursts
// start here. impactY is 10.0 at start and after each such shot.

struct ImpactPoint {
  double impactX = 0.0;
  double impactY = 10.0;
  double impactZ = 0.0;
};
