#pragma once
// What the player sees on top of the world: health and ammunition, the
// weapon picture with the logo beside it, the crosshair, and the frame rate
// when it is switched on.

#include <string>

struct Game;
struct SceneResources;

// "HEALTH:" and "AMMO:" 250 pixels left of the right edge, 100 and 50 above
// the bottom, their numbers 120 pixels further right in the large digits;
// health turns red below 15 unless additive blending is on.
// Leaves: the model-view matrix current, the depth test on, the large
// digits' glyph sheet bound.
void drawHudTexts(const Game& state, SceneResources& scene);

// The weapon, logo and crosshair a quarter unit in front of the eye. Leaves
// that matrix in force: the player box is placed with it.
void drawWeaponLogoAndCrosshair(const Game& state, const SceneResources& scene);

// With the frame-rate display on, measures the rate every tenth frame and
// prints it.
// Leaves: the depth test and texturing on.
void showFrameRateText(Game& state, SceneResources& scene);

// The frame-rate text: the rate truncated toward zero and " FPS".
std::string frameRateText(double framesPerSecond);
