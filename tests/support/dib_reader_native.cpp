// Natively the test programs read BMP files as the Linux program does.
#include "render/dib_file_reader.h"
#include "tests/support/recording_os.h"

BitmapImage* testDibReader(const char* fileName) { return readDibFile(fileName); }
