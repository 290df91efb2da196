// PLACEHOLDER intro until the movie player lands: it shows a black picture,
// ends on Escape or after a fixed time, and passes F1 on as the full-screen
// request. The real player replaces this file.
#include <windows.h>

#include "intro/intro_player.h"
#include "render/gl_api.h"

namespace {
constexpr std::uint32_t placeholderIntroMilliseconds = 20000;
constexpr int escapeKey = VK_ESCAPE;
constexpr int f1Key = VK_F1;

IntroWindow* placeholderWindow = nullptr;
KeyDownArray* placeholderKeys = nullptr;
std::uint32_t placeholderElapsed = 0;
}  // namespace

int initIntro(IntroWindow* window, KeyDownArray* keys) {
  placeholderWindow = window;
  placeholderKeys = keys;
  placeholderElapsed = 0;
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  return 1;
}

void updateIntro(uint32_t elapsedMilliseconds) {
  if (placeholderKeys->down[escapeKey] == 1) endIntro();
  if (placeholderKeys->down[f1Key] == 1) requestFullscreenToggle(placeholderWindow);
  placeholderElapsed += elapsedMilliseconds;
  if (placeholderElapsed >= placeholderIntroMilliseconds) {
    placeholderElapsed = 0;
    endIntro();
  }
}

void drawIntro() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glFlush();
}

void closeIntroMovie() {}
