#pragma once
// The game scene: preparing a fresh game window for play, and drawing and
// updating one frame.

#include <cstdint>

struct Game;
struct SceneResources;
struct World;

// What setupGameScene reports.
constexpr std::int32_t sceneReady = 1;
constexpr std::int32_t sceneTexturesMissing = 0;
// The enemy figure's files could not be loaded: state.figureLoadFailure
// holds the text the program prints to standard output before it ends with
// exit code 1 ("unable to open <file>\n" or
// "invalid model file <file>: <reason>\n").
constexpr std::int32_t sceneFigureRefused = -1;

// Loads the textures into scene.textureTable in the current context, sets
// the OpenGL state (depth test, fog, lighting), builds the fonts, builds the
// world from world.level (triangles, block index, collision models) and
// creates the five enemies. sceneTexturesMissing when a texture cannot be
// loaded (nothing else is done), sceneFigureRefused when the figure cannot
// be loaded, else sceneReady.
std::int32_t setupGameScene(Game& state, World& world, SceneResources& scene);

// Draws and updates one frame: camera, enemies, world, collision transform,
// heads-up display, weapon, player collision, frame rate and overlay. Always
// 1.
std::int32_t runFrame(Game& state, World& world, SceneResources& scene);
