#pragma once

// Plain implementations of the effect formulas on a 24-bit work picture, written from the rules
// pixel by pixel in the defined order, with no tables, no threads and no shortcuts. The fast
// routines are checked against them.

#include <cstdint>

#include "EffectTestSupport.h"
#include "graphics/Random.h"

namespace velmora::testing {

void RefInvert(Picture24& p);
void RefGrayscale(Picture24& p);
void RefColorize(Picture24& p, int red, int green, int blue);
void RefColorNoise(Picture24& p, int amount, Random& rnd);
void RefMonoNoise(Picture24& p, int amount, Random& rnd);
// Bottom and right bands read the last row and column.
void RefSplitBlur(Picture24& p, int d);
void RefSpray(Picture24& p, int radius, Random& rnd);
void RefMosaic(Picture24& p, int n);
void RefWave(Picture24& p, int amount, int inference, int style);
void RefBrightness(Picture24& p, int a);
void RefContrast(Picture24& p, int a);
void RefBalanceFast(Picture24& p, int r, int g, int b);
void RefBalanceQuality(Picture24& p, int r, int g, int b);

}  // namespace velmora::testing
