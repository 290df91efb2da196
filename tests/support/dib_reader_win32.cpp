// Under Wine the tests read BMP files with the game's own GDI reader.
#include "render/bmp_reader_win32.h"
#include "tests/support/recording_os.h"

BitmapImage* testDibReader(const char* fileName) { return readDibFileWithGdi(fileName); }
