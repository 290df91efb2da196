#include "shell/intro_player.h"

#include <algorithm>

#include "render/gl_api.h"

namespace {
const char* const introMovieFile = "data/avi/intro.avi";
const char* const introSoundFile = "data/wav/intro.wav";

// Corners of the quad that fills the intro view: texture (s, t), then
// position. With the intro's 45 degree projection the quad at depth 20 just
// covers the view's height.
struct QuadCorner {
  GLfloat s, t;
  GLfloat x, y, z;
};
constexpr QuadCorner introQuad[4] = {
    {1.0f, 1.0f, 11.0f, 8.3f, -20.0f},
    {0.0f, 1.0f, -11.0f, 8.3f, -20.0f},
    {0.0f, 0.0f, -11.0f, -8.3f, -20.0f},
    {1.0f, 0.0f, 11.0f, -8.3f, -20.0f},
};

void setIntroGlState() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_TEXTURE_2D);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

// Windows virtual-key codes of the intro's keys.
constexpr int escapeKey = 0x1B;
constexpr int f1Key = 0x70;

bool keyDown(const IntroPlayer& player, int virtualKey) {
  return player.keys != nullptr && player.keys->down[virtualKey] == 1;
}

void uploadFrame(const IntroPlayer& player) {
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, movieTextureSide, movieTextureSide, GL_RGB,
                  GL_UNSIGNED_BYTE, player.frameBits.data());
}
}  // namespace

int initIntro(Platform& platform, IntroPlayer& player, const KeyDownArray* keys) {
  player.keys = keys;
  setIntroGlState();
  player.msPerFrame = movieMillisecondsPerFrame;
  const std::int32_t frames = platform.openMovie(introMovieFile);
  // Nothing to decode: a black picture for a moment, then the game.
  player.lastFrame = frames < 0 ? missingMovieFrames : frames;
  platform.playSound(introSoundFile, os::SoundMode::async | os::SoundMode::noWait);
  // The storage is defined once; each frame replaces its contents.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, movieTextureSide, movieTextureSide, 0, GL_RGB,
               GL_UNSIGNED_BYTE, player.frameBits.data());
  return 1;
}

IntroRequest updateIntro(IntroPlayer& player, std::uint32_t elapsedMilliseconds) {
  // A stall of weeks must not wrap the counter into negative frames.
  std::int64_t elapsed = std::int64_t{player.elapsed} + elapsedMilliseconds;
  player.elapsed = static_cast<std::int32_t>(std::min<std::int64_t>(elapsed, INT32_MAX));
  player.currentFrame = player.elapsed / player.msPerFrame;
  if (player.currentFrame >= player.lastFrame) {
    // Rewind together with the end, so the last picture drawn is frame 0.
    player.currentFrame = 0;
    player.elapsed = 0;
    return IntroRequest::end;
  }
  if (keyDown(player, escapeKey)) return IntroRequest::end;
  if (keyDown(player, f1Key)) return IntroRequest::fullScreenToggle;
  return IntroRequest::none;
}

void drawIntro(Platform& platform, IntroPlayer& player) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  platform.decodeMovieFrame(player.currentFrame, player.frameBits.data());
  uploadFrame(player);
  glLoadIdentity();
  glBegin(GL_QUADS);
  for (const QuadCorner& corner : introQuad) {
    glTexCoord2f(corner.s, corner.t);
    glVertex3f(corner.x, corner.y, corner.z);
  }
  glEnd();
  glLoadIdentity();
  glFlush();
}

void closeIntroMovie(Platform& platform) { platform.closeMovie(); }

void runIntroLoop(Platform& platform, IntroPlayer& player, RunFlags& flags) {
  while (flags.introRunning == 1) {
    switch (platform.pumpIntroMessage()) {
      case os::WindowEvent::quit:
        return;
      case os::WindowEvent::closeRequested:
        terminateProgram(platform, flags);
        continue;
      case os::WindowEvent::fullScreenToggleRequested:
        flags.createFullScreen = flags.createFullScreen == 1 ? 0 : 1;
        platform.postIntroQuit();
        continue;
      case os::WindowEvent::handled:
        continue;
      case os::WindowEvent::none:
        break;
    }
    if (!platform.introWindowVisible()) {
      platform.waitForIntroMessage();
      continue;
    }
    const std::uint32_t now = platform.tickCount();
    const IntroRequest request = updateIntro(player, now - player.lastTickCount);
    player.lastTickCount = now;
    if (request == IntroRequest::end) endIntro(flags);
    if (request == IntroRequest::fullScreenToggle) platform.postIntroFullScreenToggle();
    drawIntro(platform, player);
    platform.swapIntroBuffers();
  }
}
