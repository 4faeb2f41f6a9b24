#include "effects/Colorize.h"

#include "effects/ColorAdjust.h"
#include "effects/ColorEffects.h"

namespace velmora {
namespace {

void ColorizeAndBrighten(Bitmap32& target, TargetKind kind, Color32 color, int brightness) {
  ApplyRgbEffect(target, kind, [color](Bitmap32& picture) { ColorizeBitmap(picture, color); });
  AdjustBrightness(target, brightness);
}

}  // namespace

void Colorize(Bitmap32& target, TargetKind kind, Color32 color) {
  ColorizeAndBrighten(target, kind, color, kColorizeBrightness);
}

void Sepia(Bitmap32& target, TargetKind kind) {
  ColorizeAndBrighten(target, kind, kSepiaColor, kSepiaBrightness);
}

}  // namespace velmora
