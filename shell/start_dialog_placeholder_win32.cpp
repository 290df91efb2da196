// PLACEHOLDER start dialog until the real one lands: it gives the choice that
// Enter would give at once (1024 x 768, 32 bits per pixel, windowed) without
// showing anything. The real dialog replaces this file.
#include "shell/start_dialog.h"

void showStartDialog(IntroWindow* window) {
  window->settings.fullScreen = 0;
  window->settings.bitsPerPixel = 32;
  window->settings.width = 1024;
  window->settings.height = 768;
}
