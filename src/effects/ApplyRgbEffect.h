#pragma once

#include <cstdint>
#include <functional>

#include "graphics/Bitmap32.h"

namespace velmora {

// What an effect's target is: a bitmap layer's pixels, whose transparency must survive, or the
// base image, which is opaque after every effect.
enum class TargetKind : uint8_t { kLayer, kBaseImage };

// Applies a routine defined on a picture without alpha (a 24-bit work picture) to target:
// the routine runs on the target's pixels and may do anything to their alpha bytes; afterwards a
// layer has exactly the alpha it had before, and the base image is opaque (alpha 255). Red, green
// and blue are the routine's. This equals copying the target into a 24-bit picture, running the
// routine there and copying back with the layer's alpha restored from its alpha map (alpha as
// grey, read back as intensity, which for a grey A is A): the alpha is kept here as one byte a
// pixel instead. If the routine throws, the layer's alpha is put back before the exception goes
// on. A routine keeps the picture's size; one that changes a layer's size makes this throw
// Error, as the alpha no longer fits. An empty target is left alone.
void ApplyRgbEffect(Bitmap32& target, TargetKind kind,
                    const std::function<void(Bitmap32&)>& routine);

}  // namespace velmora
