#include <windows.h>

#include "render/depth_buffer.h"
#include "render/gl_api.h"
#include "tests/support/gl_context.h"

struct TestGlContext::Impl {
  HWND window = nullptr;
  HDC deviceContext = nullptr;
  HGLRC renderingContext = nullptr;
};

namespace {
const char* kClassName = "BrakmoorTestGl";

void registerTestClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA windowClass{};
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  registered = RegisterClassA(&windowClass) != 0;
}
}  // namespace

TestGlContext::TestGlContext(int width, int height)
    : impl_(new Impl), width_(width), height_(height) {
  registerTestClass();
  impl_->window = CreateWindowExA(0, kClassName, "test", WS_POPUP, 0, 0, width,
                                  height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  if (impl_->window == nullptr) return;
  impl_->deviceContext = GetDC(impl_->window);
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof(format);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 32;
  format.cDepthBits = depthBufferBits;
  int index = ChoosePixelFormat(impl_->deviceContext, &format);
  if (index == 0 || !SetPixelFormat(impl_->deviceContext, index, &format)) return;
  impl_->renderingContext = wglCreateContext(impl_->deviceContext);
  if (impl_->renderingContext == nullptr) return;
  ok_ = wglMakeCurrent(impl_->deviceContext, impl_->renderingContext) != FALSE;
  if (ok_) glViewport(0, 0, width, height);
}

TestGlContext::~TestGlContext() {
  if (impl_->renderingContext != nullptr) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(impl_->renderingContext);
  }
  if (impl_->deviceContext != nullptr) ReleaseDC(impl_->window, impl_->deviceContext);
  if (impl_->window != nullptr) DestroyWindow(impl_->window);
  delete impl_;
}

std::vector<std::uint8_t> TestGlContext::readPixels() const {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_ * 4);
  glFinish();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
