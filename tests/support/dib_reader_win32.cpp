// Under Wine the tests read BMP files with the game's own GDI reader.
#include "platform/win32/bmp_reader.h"
#include "tests/support/recording_os.h"

BitmapImage* testDibReader(const char* fileName) { return readDibFileWithGdi(fileName); }
