#include "game/scene_state.h"

#include "game/game_state.h"
#include "render/gl_api.h"

namespace {

void setFog() {
  const float fogColour[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogfv(GL_FOG_COLOR, fogColour);
  glFogf(GL_FOG_START, 8.0f);
  glFogf(GL_FOG_END, 15.0f);
  // Linear fog ignores the density; it is set so every fog value is defined.
  glFogf(GL_FOG_DENSITY, 0.0001f);
}

// No light source is switched on: every surface shows its material's ambient
// colour times its texture.
void setLighting() {
  const float ambient[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glEnable(GL_LIGHTING);
}

}  // namespace

void setGameRenderState() {
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  glDepthFunc(GL_LESS);
  glEnable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  setFog();
  setLighting();
}

void applyDrawingState(const GameFlags& flags, AppliedDrawingSwitches& applied) {
  if (flags.blendMode != applied.blendMode) {
    if (flags.blendMode) {
      glEnable(GL_BLEND);
      glDisable(GL_DEPTH_TEST);
    } else {
      glDisable(GL_BLEND);
      glEnable(GL_DEPTH_TEST);
    }
  }
  if (flags.lineMode != applied.lineMode) {
    glPolygonMode(GL_FRONT_AND_BACK, flags.lineMode ? GL_LINE : GL_FILL);
  }
  if (flags.textureEnvBlend != applied.textureEnvBlend) {
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE,
              static_cast<float>(flags.textureEnvBlend ? GL_BLEND : GL_DECAL));
  }
  applied = {flags.blendMode, flags.lineMode, flags.textureEnvBlend};
}
