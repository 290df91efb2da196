#include "intro/intro_player.h"

#include <windows.h>

#include <algorithm>

#include "intro/intro_movie.h"
#include "platform/os_services.h"
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

bool keyDown(int virtualKey) {
  return introMovie.keys != nullptr && introMovie.keys->down[virtualKey] == 1;
}
}  // namespace

int initIntro(const KeyDownArray* keys) {
  introMovie.keys = keys;
  introMovie.drawDib = DrawDibOpen();
  setIntroGlState();
  openIntroMovie(introMovieFile);
  osServices().playSound(introSoundFile, os::SoundMode::async | os::SoundMode::noWait);
  // The storage is defined once; each frame replaces its contents.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, movieTextureSide, movieTextureSide, 0, GL_RGB,
               GL_UNSIGNED_BYTE, introMovie.frameBits);
  return 1;
}

IntroRequest updateIntro(std::uint32_t elapsedMilliseconds) {
  // A stall of weeks must not wrap the counter into negative frames.
  std::int64_t elapsed = std::int64_t{introMovie.elapsed} + elapsedMilliseconds;
  introMovie.elapsed = static_cast<std::int32_t>(std::min<std::int64_t>(elapsed, INT32_MAX));
  introMovie.currentFrame = introMovie.elapsed / introMovie.msPerFrame;
  if (introMovie.currentFrame >= introMovie.lastFrame) {
    // Rewind together with the end, so the last picture drawn is frame 0.
    introMovie.currentFrame = 0;
    introMovie.elapsed = 0;
    return IntroRequest::end;
  }
  if (keyDown(VK_ESCAPE)) return IntroRequest::end;
  if (keyDown(VK_F1)) return IntroRequest::fullScreenToggle;
  return IntroRequest::none;
}

void drawIntro() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  grabMovieFrame(introMovie.currentFrame);
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
