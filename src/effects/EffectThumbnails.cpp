#include "effects/EffectThumbnails.h"

#include <algorithm>

#include "effects/EffectTable.h"
#include "graphics/Draw.h"
#include "graphics/PixelMath.h"

namespace velmora {

ThumbnailSizeOf ThumbnailSize(int width, int height) noexcept {
  const double high = RoundHalfEven(double(height) / double(width) * kThumbnailWidth);
  return {kThumbnailWidth, static_cast<int>(std::clamp(high, 1.0, double(kMaxThumbnailHeight)))};
}

std::vector<Bitmap32> BuildEffectThumbnails(const Bitmap32& source, Random& random) {
  if (source.empty()) return {};
  const ThumbnailSizeOf size = ThumbnailSize(source.width(), source.height());
  const Bitmap32 preview = Resized(source, size.width, size.height, StretchFilter::kSmoothLinear);
  const std::vector<EffectEntry>& entries = BrowserEffects();
  std::vector<Bitmap32> thumbnails(entries.size());
  for (const EffectEntry* entry : ThumbnailBuildOrder()) {
    Bitmap32& thumbnail = thumbnails[size_t(entry - entries.data())];
    thumbnail = preview;
    // The preview stands alone, like the base image: a routine without alpha makes it opaque.
    RunEffect(thumbnail, TargetKind::kBaseImage, entry->action, entry->thumbnail_params, random);
  }
  return thumbnails;
}

}  // namespace velmora
