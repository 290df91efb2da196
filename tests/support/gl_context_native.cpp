#include <GL/osmesa.h>

#include "render/depth_buffer.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

struct TestGlContext::Impl {
  OSMesaContext context = nullptr;
  std::vector<std::uint8_t> buffer;
};

TestGlContext::TestGlContext(int width, int height)
    : impl_(new Impl), width_(width), height_(height) {
  impl_->context = OSMesaCreateContextExt(OSMESA_RGBA, depthBufferBits, 0, 0, nullptr);
  if (impl_->context == nullptr) return;
  impl_->buffer.assign(static_cast<std::size_t>(width) * height * 4, 0);
  ok_ = OSMesaMakeCurrent(impl_->context, impl_->buffer.data(),
                          GL_UNSIGNED_BYTE, width, height) != 0;
  if (ok_) glViewport(0, 0, width, height);
}

TestGlContext::~TestGlContext() {
  if (impl_->context != nullptr) {
    // Mesa must finish pending drawing before its context goes away.
    if (ok_) glFinish();
    OSMesaDestroyContext(impl_->context);
  }
}
