#pragma once
// The files of the game's 32 surface textures, by table index. Kept apart
// from the texture table so the data generator writes exactly these files
// without linking OpenGL.

constexpr int textureCount = 32;

// Indices of the world's surfaces: floor, ceiling and walls of the two cell
// styles, boxes, and the two kinds of wall pictures.
constexpr int floorTextureStyle1 = 19, ceilingTextureStyle1 = 20, wallTextureStyle1 = 10;
constexpr int floorTextureStyle2 = 24, ceilingTextureStyle2 = 25, wallTextureStyle2 = 26;
constexpr int boxTexture = 13, pictureTextureW = 11, pictureTextureG = 16;

// Indices the game draws its pictures and text with.
constexpr int textureLogo = 12;
constexpr int textureAfterSparks = 16;  // bound again when the sparks are done
constexpr int textureLargeFontSheet = 17;  // the 512-pixel glyph sheet
constexpr int textureSmallFontSheet = 18;  // the 256-pixel glyph sheet
constexpr int textureRifle = 27;
constexpr int textureLaser = 28;
constexpr int textureCrosshair = 31;

// File of each index (index 9 repeats index 1), relative to the working
// folder.
extern const char* const textureFileNames[textureCount];
