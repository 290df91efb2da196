#include "render/scene_resources.h"

SceneResources::~SceneResources() {
  largeDigitFont.destroy();
  smallFont.destroy();
  largeFont.destroy();
}

std::unique_ptr<SceneResources> createSceneResources() {
  return std::make_unique<SceneResources>();
}
