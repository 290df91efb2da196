#include "platform/linux/sdl_platform.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/linux/file_names.h"
#include "platform/linux/key_tables.h"
#include "platform/linux/start_dialog.h"
#include "render/depth_buffer.h"
#include "render/dib_file_reader.h"
#include "render/scene_projection.h"

namespace {

void showCreationError(const char* text, os::Icon icon = os::Icon::exclamation) {
  osServices().messageBox(text, "ERROR", {os::Buttons::ok, icon});
}

void showReleaseError(const char* text) {
  osServices().messageBox(text, "SHUTDOWN ERROR", {os::Buttons::ok, os::Icon::information});
}

Uint32 boxFlags(os::Icon icon) {
  switch (icon) {
    case os::Icon::stop: return SDL_MESSAGEBOX_ERROR;
    case os::Icon::exclamation: return SDL_MESSAGEBOX_WARNING;
    case os::Icon::information:
    case os::Icon::none: break;
  }
  return SDL_MESSAGEBOX_INFORMATION;
}

// Test hooks. BRAKMOOR_TRACE_BOXES: every box is also written to standard
// error as one line, "box: <title>: <text>" with line breaks as "\n".
// BRAKMOOR_ANSWER_BOXES: no box is shown; OK boxes are answered OK,
// questions No when the variable says "no" and Yes otherwise.
void traceBox(const char* text, const char* caption) {
  if (std::getenv("BRAKMOOR_TRACE_BOXES") == nullptr) return;
  std::string line = std::string("box: ") + caption + ": ";
  for (const char* c = text; *c != '\0'; ++c) line += *c == '\n' ? std::string("\\n") : std::string(1, *c);
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

os::Answer scriptedAnswer(os::Buttons buttons) {
  const char* answer = std::getenv("BRAKMOOR_ANSWER_BOXES");
  if (answer == nullptr) return os::Answer::none;
  if (buttons == os::Buttons::ok) return os::Answer::ok;
  return std::string(answer) == "no" ? os::Answer::no : os::Answer::yes;
}

// The display mode of `width` x `height` at `bitsPerPixel`, if the screen
// has it; what the Windows program asks ChangeDisplaySettings for.
bool findFullScreenMode(int width, int height, int bitsPerPixel, SDL_DisplayMode* mode) {
  SDL_DisplayMode wanted{};
  wanted.w = width;
  wanted.h = height;
  wanted.format = bitsPerPixel == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
  return SDL_GetClosestDisplayMode(0, &wanted, mode) != nullptr && mode->w == width &&
         mode->h == height;
}

enum class GlStep { window, context, makeCurrent, done };

// Opens a window of the client size `width` x `height` at the top left of
// the screen, full screen in `fullScreenMode` when that is given, with an
// OpenGL context made current. On failure what was made is released and
// the failed step returned.
GlStep openGlWindow(GlWindow& target, const char* title, int width, int height,
                    const SDL_DisplayMode* fullScreenMode) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBufferBits);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE;
  if (fullScreenMode != nullptr) flags = SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN;
  target.window = SDL_CreateWindow(title, 0, 0, width, height, flags);
  if (target.window == nullptr) return GlStep::window;
  if (fullScreenMode != nullptr) SDL_SetWindowDisplayMode(target.window, fullScreenMode);
  target.id = SDL_GetWindowID(target.window);
  target.context = SDL_GL_CreateContext(target.window);
  GlStep failed = GlStep::done;
  if (target.context == nullptr) {
    failed = GlStep::context;
  } else if (SDL_GL_MakeCurrent(target.window, target.context) != 0) {
    failed = GlStep::makeCurrent;
  }
  if (failed != GlStep::done) {
    if (target.context != nullptr) SDL_GL_DeleteContext(target.context);
    SDL_DestroyWindow(target.window);
    target = GlWindow{};
  }
  return failed;
}

// Releases the context and the window; false when the context could not
// be let go of.
bool closeGlWindow(GlWindow& target) {
  bool released = true;
  if (target.context != nullptr) {
    released = SDL_GL_MakeCurrent(target.window, nullptr) == 0;
    SDL_GL_DeleteContext(target.context);
  }
  if (target.window != nullptr) SDL_DestroyWindow(target.window);
  target = GlWindow{};
  return released;
}

// Applies a window event to the window's shown flag (not minimized) and its
// projection; true when the player asked to close the window.
bool applyWindowEvent(const SDL_WindowEvent& event, bool& shown, void (*resize)(int, int)) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE: return true;
    case SDL_WINDOWEVENT_MINIMIZED: shown = false; break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_SHOWN: shown = true; break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: resize(event.data1, event.data2); break;
    default: break;
  }
  return false;
}

}  // namespace

SdlPlatform::~SdlPlatform() {
  closeMovie();
  destroyGameWindow();
  destroyIntroWindow();
}

void SdlPlatform::playSound(const char* fileName, os::SoundMode mode) {
  if (fileName != nullptr) sounds_.play(resolveFileName(fileName), mode);
}

os::Answer SdlPlatform::messageBox(const char* text, const char* caption, os::BoxStyle style) {
  traceBox(text, caption);
  const os::Answer scripted = scriptedAnswer(style.buttons);
  if (scripted != os::Answer::none) return scripted;
  SDL_Window* owner = style.owner == os::Owner::focusedWindow ? SDL_GetKeyboardFocus() : nullptr;
  if (style.buttons == os::Buttons::ok) {
    return SDL_ShowSimpleMessageBox(boxFlags(style.icon), caption, text, owner) == 0
               ? os::Answer::ok
               : os::Answer::none;
  }
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "No"},
  };
  const SDL_MessageBoxData box = {boxFlags(style.icon), owner, caption, text, 2, buttons, nullptr};
  int pressed = -1;
  if (SDL_ShowMessageBox(&box, &pressed) != 0 || pressed < 0) return os::Answer::none;
  return pressed == 1 ? os::Answer::yes : os::Answer::no;
}

// The game reads the pointer in its window's coordinates: on Windows its
// window sits at the screen's origin, so screen and window agree there.
// SDL's mouse state only changes when events are pumped; pumped last before
// the frame was drawn, it would miss every move made during the drawing
// (and the warp back to the centre then swallows them), so pump first.
os::CursorPosition SdlPlatform::cursorPosition() {
  int x = 0, y = 0;
  SDL_PumpEvents();
  SDL_GetMouseState(&x, &y);
  return {x, y};
}

void SdlPlatform::setCursorPosition(int x, int y) {
  SDL_Window* window = game_.window != nullptr ? game_.window : intro_.window;
  SDL_WarpMouseInWindow(window, x, y);
}

bool SdlPlatform::performanceFrequency(std::int64_t* countsPerSecond) {
  *countsPerSecond = static_cast<std::int64_t>(SDL_GetPerformanceFrequency());
  return true;
}

std::int64_t SdlPlatform::performanceCounter() {
  return static_cast<std::int64_t>(SDL_GetPerformanceCounter());
}

std::string SdlPlatform::resolveFileName(const char* name) { return findFileIgnoringCase(name); }

BitmapImage* SdlPlatform::readBmpFile(const char* fileName) {
  if (fileName == nullptr) return readDibFile(nullptr);
  return readDibFile(resolveFileName(fileName).c_str(), fileName);
}

bool SdlPlatform::chooseDisplayMode(WindowSettings& mode) { return chooseWindowSettingsGtk(mode); }

bool SdlPlatform::createIntroWindow(const char* title, WindowSettings& mode, KeyDownArray& keys) {
  introKeys_ = &keys;
  introQuitPosted_ = introTogglePosted_ = false;
  SDL_DisplayMode fullScreenMode{};
  if (mode.fullScreen == 1 &&
      !findFullScreenMode(mode.width, mode.height, mode.bitsPerPixel, &fullScreenMode)) {
    osServices().messageBox("Mode Switch Failed.\nRunning In Windowed Mode.", "Error",
                            {os::Buttons::ok, os::Icon::exclamation});
    mode.fullScreen = 0;
  }
  introFullScreen_ = mode.fullScreen == 1;
  if (openGlWindow(intro_, title, mode.width, mode.height,
                   introFullScreen_ ? &fullScreenMode : nullptr) != GlStep::done) {
    return false;
  }
  if (introFullScreen_) SDL_ShowCursor(SDL_DISABLE);
  introVisible_ = true;
  resizeIntroScene(mode.width, mode.height);
  for (std::int32_t& flag : keys.down) flag = 0;
  return true;
}

void SdlPlatform::destroyIntroWindow() {
  closeGlWindow(intro_);
  if (introFullScreen_) SDL_ShowCursor(SDL_ENABLE);
  introFullScreen_ = false;
  introVisible_ = false;
}

os::WindowEvent SdlPlatform::pumpIntroMessage() {
  if (introQuitPosted_) {
    introQuitPosted_ = false;
    return os::WindowEvent::quit;
  }
  if (introTogglePosted_) {
    introTogglePosted_ = false;
    return os::WindowEvent::fullScreenToggleRequested;
  }
  SDL_Event event;
  if (!SDL_PollEvent(&event)) return os::WindowEvent::none;
  switch (event.type) {
    case SDL_QUIT:
      return os::WindowEvent::closeRequested;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (const std::uint8_t key = virtualKeyCode(event.key.keysym.scancode))
        introKeys_->down[key] = event.type == SDL_KEYDOWN ? 1 : 0;
      break;
    case SDL_WINDOWEVENT:
      if (event.window.windowID == intro_.id &&
          applyWindowEvent(event.window, introVisible_, resizeIntroScene))
        return os::WindowEvent::closeRequested;
      break;
    default:
      break;
  }
  return os::WindowEvent::handled;
}

std::int32_t SdlPlatform::openMovie(const char* fileName) {
  return openMovieFile(movie_, resolveFileName(fileName).c_str());
}

bool SdlPlatform::decodeMovieFrame(std::int32_t index, std::uint8_t* rgb) {
  return ::decodeMovieFrame(movie_, index, rgb);
}

void SdlPlatform::closeMovie() { closeMovieFile(movie_); }

bool SdlPlatform::createGameWindow(const char* title, const WindowSettings& mode) {
  SDL_DisplayMode fullScreenMode{};
  bool fullScreen = mode.fullScreen != 0;
  if (fullScreen &&
      !findFullScreenMode(mode.width, mode.height, mode.bitsPerPixel, &fullScreenMode)) {
    const os::Answer answer = osServices().messageBox(
        "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use "
        "Windowed Mode Instead?",
        "GL", {os::Buttons::yesNo, os::Icon::exclamation});
    if (answer != os::Answer::yes) {
      showCreationError("Program Will Now Close.", os::Icon::stop);
      return false;
    }
    fullScreen = false;
  }
  switch (openGlWindow(game_, title, mode.width, mode.height,
                       fullScreen ? &fullScreenMode : nullptr)) {
    case GlStep::window: return showCreationError("Window Creation Error."), false;
    case GlStep::context: return showCreationError("Can't Create A GL Rendering Context."), false;
    case GlStep::makeCurrent:
      return showCreationError("Can't Activate The GL Rendering Context."), false;
    case GlStep::done: break;
  }
  // Hidden before mouse look first puts the pointer back: a visible
  // pointer cannot be warped under Wayland.
  SDL_ShowCursor(SDL_DISABLE);
  SDL_RaiseWindow(game_.window);
  gameActive_ = true;
  resizeGameScene(mode.width, mode.height);
  return true;
}

void SdlPlatform::destroyGameWindow() {
  if (game_.window == nullptr) return;
  if (!closeGlWindow(game_)) showReleaseError("Release Of DC And RC Failed.");
  SDL_ShowCursor(SDL_ENABLE);
  gameActive_ = false;
}

// The close button (or the session's quit) ends the game as WM_CLOSE does
// on Windows; events of the intro window behind it are let go.
os::WindowEvent SdlPlatform::pumpGameMessage() {
  SDL_Event event;
  if (!SDL_PollEvent(&event)) return os::WindowEvent::none;
  if (event.type == SDL_QUIT) return os::WindowEvent::quit;
  if (event.type == SDL_WINDOWEVENT && event.window.windowID == game_.id &&
      applyWindowEvent(event.window, gameActive_, resizeGameScene))
    return os::WindowEvent::quit;
  return os::WindowEvent::handled;
}

const unsigned char* SdlPlatform::readKeyboard() {
  SDL_PumpEvents();
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  fillScanCodeState(state, count, keyboard_);
  return keyboard_;
}
