#include "platform/win32/win32_platform.h"

#include <mmsystem.h>

#include "platform/win32/bmp_reader.h"
#include "platform/win32/os_services.h"
#include "platform/win32/start_dialog.h"

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {
  intro_.instance = instance;
  // The movie's memory device context is made with the platform, before the
  // program entry runs, and serves every intro cycle.
  movie_.memoryDC = CreateCompatibleDC(nullptr);
}

void Win32Platform::playSound(const char* fileName, os::SoundMode mode) {
  PlaySoundA(fileName, nullptr, win32SoundFlags(mode));
}

os::Answer Win32Platform::messageBox(const char* text, const char* caption, os::BoxStyle style) {
  // The BMP reader's reports belong to the window being typed into, so they
  // stay in front of it.
  HWND owner = style.owner == os::Owner::focusedWindow ? GetFocus() : nullptr;
  return answerFromWin32(MessageBoxA(owner, text, caption, win32BoxStyle(style)));
}

os::CursorPosition Win32Platform::cursorPosition() {
  POINT point{0, 0};
  GetCursorPos(&point);
  return {point.x, point.y};
}

void Win32Platform::setCursorPosition(int x, int y) { SetCursorPos(x, y); }
void Win32Platform::sleepMilliseconds(unsigned milliseconds) { Sleep(milliseconds); }
std::uint32_t Win32Platform::tickCount() { return GetTickCount(); }
std::uint32_t Win32Platform::multimediaTime() { return timeGetTime(); }

bool Win32Platform::performanceFrequency(std::int64_t* countsPerSecond) {
  LARGE_INTEGER frequency;
  if (!QueryPerformanceFrequency(&frequency)) return false;
  *countsPerSecond = frequency.QuadPart;
  return true;
}

std::int64_t Win32Platform::performanceCounter() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

BitmapImage* Win32Platform::readBmpFile(const char* fileName) {
  return readDibFileWithGdi(fileName);
}

bool Win32Platform::chooseDisplayMode(WindowSettings& mode) {
  return showStartDialog(instance_, mode);
}

bool Win32Platform::registerIntroWindowClass() {
  return ::registerIntroWindowClass(instance_) != 0;
}

void Win32Platform::unregisterIntroWindowClass() {
  UnregisterClassA(introWindowClassName, instance_);
}

bool Win32Platform::createIntroWindow(const char* title, WindowSettings& mode,
                                      KeyDownArray& keys) {
  return ::createIntroWindow(intro_, title, mode, keys) == 1;
}

void Win32Platform::destroyIntroWindow() { ::destroyIntroWindow(intro_); }
os::WindowEvent Win32Platform::pumpIntroMessage() { return ::pumpIntroMessage(intro_); }
bool Win32Platform::introWindowVisible() { return intro_.visible != 0; }
void Win32Platform::waitForIntroMessage() { WaitMessage(); }
void Win32Platform::swapIntroBuffers() { SwapBuffers(intro_.deviceContext); }
void Win32Platform::postIntroQuit() { PostMessageA(intro_.window, WM_QUIT, 0, 0); }

void Win32Platform::postIntroFullScreenToggle() {
  PostMessageA(intro_.window, fullscreenToggleMessage, 0, 0);
}

std::int32_t Win32Platform::openMovie(const char* fileName) {
  return openMovieFile(movie_, fileName);
}

bool Win32Platform::decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) {
  return ::decodeMovieFrame(movie_, index, rgb);
}

void Win32Platform::closeMovie() { closeMovieFile(movie_); }

bool Win32Platform::createGameWindow(const char* title, const WindowSettings& mode) {
  return ::createGameWindow(game_, title, mode.width, mode.height, mode.bitsPerPixel,
                            mode.fullScreen != 0) != 0;
}

void Win32Platform::destroyGameWindow() { killGameWindow(game_); }
os::WindowEvent Win32Platform::pumpGameMessage() { return ::pumpGameMessage(); }
bool Win32Platform::gameWindowActive() { return game_.gameWindowActive != 0; }
void Win32Platform::swapGameBuffers() { SwapBuffers(game_.gameDeviceContext); }

bool Win32Platform::initKeyboard() { return ::initKeyboard(keyboard_, instance_) != 0; }
void Win32Platform::shutdownKeyboard() { ::shutdownKeyboard(keyboard_); }

const unsigned char* Win32Platform::readKeyboard() {
  readKeyboardState(keyboard_);
  return keyboard_.keyboardState;
}
