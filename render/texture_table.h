#pragma once
// The 32 surface textures of the game, addressed everywhere by their index.

#include "render/gl_api.h"
#include "render/texture_files.h"

// OpenGL names of the textures by index.
using TextureTable = GLuint[textureCount];

// Reads all 32 files and uploads them into the current OpenGL context with
// fresh names into `textureTable` (names of an earlier call are not
// deleted). 1 on success; 0 as soon as a file cannot be read, and then no
// texture is created and the table keeps its old names.
int loadTextures(TextureTable& textureTable);
