#pragma once
// The game's sounds, synthesised: samples in [-1, 1] at kSampleRate (the
// WAV writer scales them to a safe peak).
#include <vector>

std::vector<float> rifleShotSound();
std::vector<float> laserShotSound();
std::vector<float> playerHitSound();
std::vector<float> playerDeathSound();
// Music for the intro movie, `seconds` long, fading out at its end.
std::vector<float> introMusic(double seconds);
