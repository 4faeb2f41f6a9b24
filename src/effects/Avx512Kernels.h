#pragma once

// Vector forms of the per-pixel row kernels for x86 processors with AVX-512 (F, BW and VBMI),
// chosen at run time. Each gives exactly the pixels of the plain loop it stands for and keeps
// every alpha byte. Internal to the effects library.

#include <cstdint>

#include "graphics/PixelMath.h"

namespace velmora {

// True when the processor and the system run AVX-512 F, BW and VBMI, and the environment does
// not set VELMORA_PLAIN_LOOPS (the tests set it to check the plain loops on such machines too).
bool UseAvx512() noexcept;

// Blue, green and red of every pixel through levels[0 .. 255], [256 .. 511], [512 .. 767].
void LevelsRowAvx512(Color32* row, int w, const uint8_t* levels) noexcept;

// MakeGrayscale's levels; halfway_up as in ColorEffects.cpp (65536 + 3 bytes).
void GrayRowAvx512(Color32* row, int w, const uint8_t* halfway_up) noexcept;

// Every pixel's colour := by_sum[R + G + B] (766 entries).
void ColorizeRowAvx512(Color32* row, int w, const Color32* by_sum) noexcept;

}  // namespace velmora
