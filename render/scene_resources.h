#pragma once
// What the game draws with besides the world: the texture table and the
// three fonts. One function builds the record; the game window's setup fills
// it in the game's context, and the fonts' display lists are released when
// the record ends.

#include <memory>

#include "render/bitmap_font.h"
#include "render/texture_table.h"

struct SceneResources {
  SceneResources() = default;
  SceneResources(const SceneResources&) = delete;
  SceneResources& operator=(const SceneResources&) = delete;
  ~SceneResources();

  // Filled by loadTextures; all 0 until then.
  TextureTable textureTable = {};
  BitmapFont largeDigitFont;
  BitmapFont smallFont;
  BitmapFont largeFont;
};

// Empty textures and fonts with their defaults; nothing touches OpenGL.
std::unique_ptr<SceneResources> createSceneResources();
