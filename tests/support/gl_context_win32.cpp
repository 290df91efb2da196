#include <windows.h>

#include "platform/win32/gl_window_context.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

struct TestGlContext::Impl {
  HWND window = nullptr;
  HDC deviceContext = nullptr;
  HGLRC renderingContext = nullptr;
};

// A hidden window of a system class with the game window's pixel format and
// context.
TestGlContext::TestGlContext(int width, int height)
    : impl_(new Impl), width_(width), height_(height) {
  impl_->window = CreateWindowExA(0, "STATIC", "test", WS_POPUP, 0, 0, width, height,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ok_ = impl_->window != nullptr &&
        attachGlContext(impl_->window, 32, &impl_->deviceContext, &impl_->renderingContext) ==
            GlContextStep::done;
  if (ok_) glViewport(0, 0, width, height);
}

TestGlContext::~TestGlContext() {
  if (impl_->renderingContext != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(impl_->renderingContext);
  }
  if (impl_->deviceContext != nullptr) ReleaseDC(impl_->window, impl_->deviceContext);
  if (impl_->window != nullptr) DestroyWindow(impl_->window);
}
