// The GDI reader: the shared cases and every further layout GDI converts (the
// parser bounds what GDI may read of run-length data to the file).

#include "tests/unit/render/bmp_test_files.h"

using namespace bmptest;

TEST_F(BitmapReading, GdiDecodesRunLengthSixteenAndThirtyTwoBitAndCoreFiles) {
  expectRoundTrips({{Encoding::rle8}, {Encoding::rle8, false}, {Encoding::rgb16}, {Encoding::rgb565},
                    {Encoding::rgb32}, {Encoding::rgb16, true, false, true}, {Encoding::palette1, false, true},
                    {Encoding::rgb24, true, true}, {Encoding::palette4, false}});
}
