#pragma once
struct SceneResources;
// Builds the game's three fonts in the current context from the loaded
// texture table, sized for the game window (screenWidth x screenHeight).
void buildGameFonts(SceneResources& scene, int windowWidth, int windowHeight);
