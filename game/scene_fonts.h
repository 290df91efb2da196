#pragma once
// Builds the game's three fonts in the current context, sized for the game
// window (screenWidth x screenHeight).
void buildGameFonts(int windowWidth, int windowHeight);
