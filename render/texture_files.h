#pragma once
// The files of the game's 32 surface textures, by table index. Kept apart
// from the texture table so the data generator writes exactly these files
// without linking OpenGL.

constexpr int textureCount = 32;

// File of each index (index 9 repeats index 1), relative to the working
// folder.
extern const char* const textureFileNames[textureCount];
