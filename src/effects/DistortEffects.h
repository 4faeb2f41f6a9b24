#pragma once

// Effects that move colours around: spray, mosaic and wave. Alpha bytes stay where they are;
// only red, green and blue move (see ColorEffects.h). An empty picture is left alone.

#include "graphics/Bitmap32.h"
#include "graphics/Random.h"

namespace velmora {

// In place, columns from the left and within a column rows from the top. Per pixel three draws,
// always all three and in this order: k = Random(radius); sx = x + k - Random(2k);
// sy = y + k - Random(2k). When (sx, sy) is inside, pixel (x, y) takes the colour (sx, sy) has
// at that moment. Radius 0 or 1 changes nothing (but still draws); a negative radius acts as 0.
void Spray(Bitmap32& picture, int radius, Random& random) noexcept;

// Blocks of n x n pixels from the top-left corner (narrower or lower at the right and bottom
// edges); every pixel takes the colour its block's top-left pixel had before. n <= 1 changes
// nothing.
void Mosaic(Bitmap32& picture, int block_size) noexcept;

// With f = (pi / 2) / a, each source row y from height - 1 - 2a down to a is written, column by
// column, to row y + a + b(x) of the picture, reading from a copy of the picture as it was.
// b(0) = 0 and b(x) = round(g(t)) with t = (x - 1) f (the offset of a column comes from the one
// before it), g by style: 0 a sin t; 1 a sin t cos t; 2 a sin t sin(inference t); any other
// style 0. Rows no source row reaches keep their pixels. A picture lower than 3a + 1 rows, and
// an amount below 1, leave the picture unchanged. Allocates the copy (throws std::bad_alloc
// when it cannot).
void Wave(Bitmap32& picture, int amount, int inference, int style);

}  // namespace velmora
