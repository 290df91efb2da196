#pragma once
// The intro movie player: plays the movie's frames at a fixed rate into a
// texture with its sound, reads the intro's keys, and tells the intro loop
// what the player asked for. The movie's frames come from the platform.

#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "shell/run_flags.h"

// The movie runs at this fixed rate; the stream's own rate is not used.
constexpr std::int32_t movieMillisecondsPerFrame = 36;
// A movie that cannot be opened shows black for this many frames (about one
// second) and then ends the intro, so the game still starts.
constexpr std::int32_t missingMovieFrames = 28;

struct IntroPlayer {
  const KeyDownArray* keys = nullptr;
  std::int32_t lastFrame = 0;
  std::int32_t msPerFrame = movieMillisecondsPerFrame;
  std::int32_t elapsed = 0;
  std::int32_t currentFrame = 0;
  // Tick count of the last intro update.
  std::uint32_t lastTickCount = 0;
  // The frame shown, red, green, blue, bottom row first; black until a frame
  // is decoded, and it keeps the last decoded frame when one fails.
  std::vector<std::uint8_t> frameBits = std::vector<std::uint8_t>(movieFrameBytes, 0);
};

// What one update asks of the run sequence. The end wins: a full-screen
// request in the update that ends the intro is dropped.
enum class IntroRequest {
  none,
  fullScreenToggle,  // F1 is down
  end,               // Escape is down, or the movie has ended
};

// Prepares the current context, opens the movie and starts its sound;
// always 1. Elapsed time and frame position carry over from an earlier
// intro window.
int initIntro(Platform& platform, IntroPlayer& player, const KeyDownArray* keys);
// Advances by the milliseconds since the last update.
IntroRequest updateIntro(IntroPlayer& player, std::uint32_t elapsedMilliseconds);
// Draws the current frame; the caller swaps the buffers.
void drawIntro(Platform& platform, IntroPlayer& player);
// Releases the movie; safe to call again.
void closeIntroMovie(Platform& platform);

// Pumps the intro window's messages and plays the intro while introRunning
// equals 1, until then or until the quit message. A closed window ends the
// loop and skips the game; a full-screen request ends it in the other mode.
// An update that ends the intro asks for nothing more: a full-screen request
// made with it would outlive the intro.
void runIntroLoop(Platform& platform, IntroPlayer& player, RunFlags& flags);
