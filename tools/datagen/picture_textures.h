#pragma once
// Pictures rather than materials: the two kinds of wall picture, the small
// emblem beside the weapon, the weapon pictures, muzzle flashes and the
// crosshair. The weapon pictures, flashes and crosshair are drawn with
// additive blending in the game, so their black background stays invisible.
#include <cstdint>

#include "tools/datagen/image.h"

// A framed painting of a moor under an evening sky with a lone keep.
Image paintMoorPainting(int size, uint64_t seed);
// A framed night sky with one bright star.
Image paintStarPainting(int size, uint64_t seed);
// Our emblem: a shield carrying a gold "B".
Image paintEmblem(int size);

enum class GunKind { Rifle, Laser };
// The weapon as the player sees it from behind, pointing into the scene.
Image paintGun(int size, GunKind kind);
// A star-shaped burst of fire; `rays` spikes, hotter or redder by `heat`.
Image paintMuzzleFlash(int size, int rays, float heat, uint64_t seed);
Image paintCrosshair(int size);
