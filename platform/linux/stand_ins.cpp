// TEMPORARY: placeholders for the GTK start dialog and the FFmpeg movie
// reader while they are written elsewhere; this file (and the MovieFile
// record in movie_file.h) goes when they arrive.
//  - the dialog chooses 1024 x 768, 32 bits, windowed, as if Start was
//    pressed;
//  - the movie never opens: the intro shows its "cannot open" box and goes
//    on without frames.

#include "platform/linux/movie_file.h"
#include "platform/linux/start_dialog.h"

bool chooseWindowSettingsGtk(WindowSettings& settings) {
  settings.width = 1024;
  settings.height = 768;
  settings.bitsPerPixel = 32;
  settings.fullScreen = 0;
  return true;
}

std::int32_t openMovieFile(MovieFile& movie, const char*) {
  movie.open = false;
  osServices().messageBox("Failed To Open The AVI Stream", "Error",
                          {os::Buttons::ok, os::Icon::exclamation});
  return -1;
}

bool decodeMovieFrame(MovieFile&, std::int32_t, std::uint8_t*) { return false; }
void closeMovieFile(MovieFile& movie) { movie.open = false; }
