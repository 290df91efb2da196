// Either context reads back the buffer it draws into.
#include "tests/support/gl_context.h"

#include "render/gl_api.h"

std::vector<std::uint8_t> TestGlContext::readPixels() const {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_ * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
