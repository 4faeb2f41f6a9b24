#pragma once

// The effect browser's previews: the picture shrunk to 100 pixels wide, with each entry of
// BrowserEffects() run on its own copy with the entry's thumbnail parameters. Built in memory on
// every opening of the browser.

#include <vector>

#include "graphics/Bitmap32.h"
#include "graphics/Random.h"

namespace velmora {

inline constexpr int kThumbnailWidth = 100;
// A very tall picture gives a preview no taller than this (its proportions are then not kept),
// so a 1 x 32000 strip does not make nine 100 x 3,200,000 previews.
inline constexpr int kMaxThumbnailHeight = 1000;

struct ThumbnailSizeOf {
  int width, height;
};

// The preview size for a width x height picture: 100 wide and round(height / width x 100)
// (halves to even) high, at least 1 and at most kMaxThumbnailHeight. width and height > 0.
ThumbnailSizeOf ThumbnailSize(int width, int height) noexcept;

// The nine previews of `source`, in BrowserEffects() order. The source is stretched once to
// ThumbnailSize with the kSmoothLinear filter; each entry then runs on a copy of that picture,
// the entries in ThumbnailBuildOrder(), drawing from `random` as the noise and spray previews
// need. Routines defined without alpha make their preview opaque; Contrast and Invert keep the
// alpha. An empty source gives no previews.
std::vector<Bitmap32> BuildEffectThumbnails(const Bitmap32& source, Random& random);

}  // namespace velmora
