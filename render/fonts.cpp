#include "render/bitmap_font.h"

// Constant-initialised, so they are ready before any other start-up code.
BitmapFont largeDigitFont;
BitmapFont smallFont;
BitmapFont largeFont;

namespace {
// Defined after the fonts, so destroyed (at exit) before them.
struct ReleaseFontsAtExit {
  ~ReleaseFontsAtExit() {
    largeDigitFont.destroy();
    smallFont.destroy();
    largeFont.destroy();
  }
} releaseFontsAtExit;
}  // namespace
