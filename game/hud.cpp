#include "game/hud.h"

#include <cmath>

#include "game/game.h"
#include "render/gl_api.h"
#include "render/scene_resources.h"
#include "game/frame_clock.h"
#include "platform/platform.h"

namespace {

const float green[4] = {0.0f, 1.0f, 0.0f, 0.0f};
const float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
const float gold[4] = {1.0f, 0.85f, 0.0f, 1.0f};
const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};

constexpr std::int32_t lowHealth = 15;

void setMaterial(const float* colour) {
  glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, colour);
}

// A rectangle as two triangles, corner by corner: (x, y) and texture (s, t).
struct Corner {
  float x, y, s, t;
};

void drawTriangles(const Corner* corners, int count) {
  glBegin(GL_TRIANGLES);
  for (int i = 0; i < count; ++i) {
    glTexCoord2f(corners[i].s, corners[i].t);
    glVertex3f(corners[i].x, corners[i].y, 0.0f);
  }
  glEnd();
}

void drawWeaponPicture() {
  const Corner corners[6] = {{-0.025f, -0.11f, 0, 0}, {0.025f, -0.11f, 1, 0},
                             {0.025f, -0.06f, 1, 1},  {-0.025f, -0.11f, 0, 0},
                             {-0.025f, -0.06f, 0, 1}, {0.025f, -0.06f, 1, 1}};
  drawTriangles(corners, 6);
}

// Mirrored: the texture runs from right to left.
void drawLogo() {
  const Corner corners[6] = {{-0.13f, -0.1f, 1, 0},  {-0.09f, -0.1f, 0, 0},
                             {-0.09f, -0.05f, 0, 1}, {-0.13f, -0.1f, 1, 0},
                             {-0.13f, -0.05f, 1, 1}, {-0.09f, -0.05f, 0, 1}};
  drawTriangles(corners, 6);
}

void drawCrosshair() {
  const Corner corners[6] = {{-0.006f, -0.006f, 0, 0}, {0.006f, -0.006f, 1, 0},
                             {-0.006f, 0.006f, 0, 1},  {0.006f, -0.006f, 1, 0},
                             {0.006f, 0.006f, 1, 1},   {-0.006f, 0.006f, 0, 1}};
  drawTriangles(corners, 6);
}

void showFrameRate(FrameRateState& rate, const FrameClock& clock, BitmapFont& largeFont) {
  glDisable(GL_DEPTH_TEST);
  rate.fpsFrameCounter += 1;
  if (rate.fpsFrameCounter % 10 == 0) {
    const double elapsed = std::fabs(frameClockSeconds(clock) - rate.fpsLastTime);
    rate.fpsLastTime = frameClockSeconds(clock);
    if (elapsed != 0.0) rate.fpsValue = 10.0 / elapsed;
  }
  setMaterial(white);
  largeFont.setFirstChar(32);
  largeFont.print(15, 40, frameRateText(rate.fpsValue).c_str());
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_2D);
}

}  // namespace

std::string frameRateText(double framesPerSecond) {
  // Rates beyond the int range only come from a broken clock; show them
  // held at the range's end rather than as an undefined conversion.
  double whole = std::trunc(framesPerSecond);
  if (!(whole > -2147483648.0)) whole = -2147483648.0;
  if (whole > 2147483647.0) whole = 2147483647.0;
  return std::to_string(static_cast<long long>(whole)) + " FPS";
}

void drawHudTexts(const Game& state, SceneResources& scene) {
  BitmapFont& smallFont = scene.smallFont;
  BitmapFont& largeDigitFont = scene.largeDigitFont;
  const PlayerState& player = state.player;
  const std::int32_t right = state.screenWidth;
  const std::int32_t bottom = state.screenHeight;
  glLoadIdentity();
  setMaterial(green);
  smallFont.setFirstChar(32);
  smallFont.print(right - 250, bottom - 100, "HEALTH:");
  smallFont.print(right - 250, bottom - 50, "AMMO:");
  largeDigitFont.setFirstChar(-96);
  if (!state.flags.blendMode) setMaterial(player.health < lowHealth ? red : green);
  largeDigitFont.print(right - 130, bottom - 100, std::to_string(player.health).c_str());
  setMaterial(green);
  largeDigitFont.print(right - 130, bottom - 50, std::to_string(player.shownAmmo).c_str());
}

void drawWeaponLogoAndCrosshair(const Game& state, const SceneResources& scene) {
  const TextureTable& textureTable = scene.textureTable;
  const bool blendMode = state.flags.blendMode;
  const PlayerState& player = state.player;
  setMaterial(gold);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -0.25f);
  glDisable(GL_DEPTH_TEST);
  if (!blendMode) glEnable(GL_BLEND);
  if (player.rifleSelected) {
    glBindTexture(GL_TEXTURE_2D, textureTable[textureRifle]);
  } else if (player.laserSelected) {
    glBindTexture(GL_TEXTURE_2D, textureTable[textureLaser]);
  }
  drawWeaponPicture();
  if (!blendMode) glDisable(GL_BLEND);
  setMaterial(white);
  glBindTexture(GL_TEXTURE_2D, textureTable[textureLogo]);
  drawLogo();
  if (state.flags.crosshairVisible) {
    if (!blendMode) glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, textureTable[textureCrosshair]);
    drawCrosshair();
    if (!blendMode) glDisable(GL_BLEND);
  }
  glEnable(GL_DEPTH_TEST);
}

void showFrameRateText(Game& state, SceneResources& scene) {
  if (state.flags.showFps) showFrameRate(state.frameRate, state.clock, scene.largeFont);
}
