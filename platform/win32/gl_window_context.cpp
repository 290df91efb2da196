#include "platform/win32/gl_window_context.h"

#include <cstring>

#include "render/depth_buffer.h"

PIXELFORMATDESCRIPTOR windowPixelFormat(int bitsPerPixel) {
  PIXELFORMATDESCRIPTOR format;
  std::memset(&format, 0, sizeof format);
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = static_cast<BYTE>(bitsPerPixel);
  format.cDepthBits = static_cast<BYTE>(depthBufferBits);
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

bool requestDisplayMode(int width, int height, int bitsPerPixel) {
  DEVMODEA mode;
  std::memset(&mode, 0, sizeof mode);
  mode.dmSize = sizeof mode;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void restoreDesktopMode() { ChangeDisplaySettingsA(nullptr, 0); }

const GlContextCalls platformGlContextCalls = {
    GetDC, ChoosePixelFormat, SetPixelFormat, wglCreateContext, wglMakeCurrent};
GlContextCalls glContextCalls = platformGlContextCalls;

GlContextStep attachGlContext(HWND window, int bitsPerPixel,
                              HDC* deviceContext, HGLRC* renderingContext) {
  PIXELFORMATDESCRIPTOR format = windowPixelFormat(bitsPerPixel);
  *deviceContext = glContextCalls.getDeviceContext(window);
  if (*deviceContext == nullptr) return GlContextStep::deviceContext;
  int formatIndex = glContextCalls.choosePixelFormat(*deviceContext, &format);
  if (formatIndex == 0) return GlContextStep::choosePixelFormat;
  if (!glContextCalls.setPixelFormat(*deviceContext, formatIndex, &format))
    return GlContextStep::setPixelFormat;
  *renderingContext = glContextCalls.createContext(*deviceContext);
  if (*renderingContext == nullptr) return GlContextStep::createContext;
  if (!glContextCalls.makeCurrent(*deviceContext, *renderingContext))
    return GlContextStep::makeCurrent;
  return GlContextStep::done;
}
