#pragma once
// What the intro and the game window share: the pixel format, the display-mode
// request, and attaching an OpenGL context to a window step by step.

#include <windows.h>

// Double-buffered RGBA window format with a depthBufferBits depth buffer.
PIXELFORMATDESCRIPTOR windowPixelFormat(int bitsPerPixel);

// Switches the display to a full-screen mode; true only when the switch
// succeeded.
bool requestDisplayMode(int width, int height, int bitsPerPixel);
// Back to the desktop mode of the registry.
void restoreDesktopMode();

// The platform calls that attach a context. Tests replace single entries to
// make a step fail the way a driver would; the program leaves them alone.
struct GlContextCalls {
  HDC (WINAPI* getDeviceContext)(HWND);
  int (WINAPI* choosePixelFormat)(HDC, const PIXELFORMATDESCRIPTOR*);
  BOOL (WINAPI* setPixelFormat)(HDC, int, const PIXELFORMATDESCRIPTOR*);
  HGLRC (WINAPI* createContext)(HDC);
  BOOL (WINAPI* makeCurrent)(HDC, HGLRC);
};
extern GlContextCalls glContextCalls;
// The real calls, to restore after a test.
extern const GlContextCalls platformGlContextCalls;

enum class GlContextStep {
  done,
  deviceContext,
  choosePixelFormat,
  setPixelFormat,
  createContext,
  makeCurrent
};

// Gets the device context, chooses and sets the pixel format, creates the
// rendering context and makes it current. Returns the step that failed (or
// done); what was created before it is left in *deviceContext and
// *renderingContext for the caller to release.
GlContextStep attachGlContext(HWND window, int bitsPerPixel,
                              HDC* deviceContext, HGLRC* renderingContext);
