#include "effects/ApplyRgbEffect.h"

#include <memory>
#include <string>

#include "effects/PixelLoops.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

// The alpha map: every pixel's alpha, one byte each, in pixel order.
class AlphaMap {
 public:
  explicit AlphaMap(const Bitmap32& b)
      : width_(b.width()), height_(b.height()), alpha_(new uint8_t[b.PixelCount()]) {
    ParallelRows(b.height(), width_, [this, &b](int first, int last) {
      const int w = width_;
      for (int y = first; y < last; ++y) {
        const Color32* row = b.Row(y);
        uint8_t* a = Line(y);
        for (int x = 0; x < w; ++x) a[x] = static_cast<uint8_t>(AlphaOf(row[x]));
      }
    });
  }

  // Puts the alpha back into b, which must still have the size it had (nothing happens
  // otherwise).
  void RestoreInto(Bitmap32& b) const noexcept {
    if (b.width() != width_ || b.height() != height_) return;
    ForEachRow(b, [this, w = width_](Color32* row, int y) {
      const uint8_t* a = Line(y);
      PutAlpha(row, w, [a](int x) { return uint32_t{a[x]}; });
    });
  }

 private:
  uint8_t* Line(int y) const noexcept { return alpha_.get() + size_t(y) * size_t(width_); }

  int width_, height_;
  std::unique_ptr<uint8_t[]> alpha_;
};

void MakeOpaque(Bitmap32& b) noexcept {
  const int w = b.width();
  ForEachRow(b, [w](Color32* row, int) { PutAlpha(row, w, [](int) { return 255u; }); });
}

}  // namespace

void ApplyRgbEffect(Bitmap32& target, TargetKind kind,
                    const std::function<void(Bitmap32&)>& routine) {
  if (target.empty()) return;
  if (kind == TargetKind::kBaseImage) {
    routine(target);
    MakeOpaque(target);
    return;
  }
  const AlphaMap alpha(target);
  const int w = target.width(), h = target.height();
  try {
    routine(target);
  } catch (...) {
    alpha.RestoreInto(target);
    throw;
  }
  if (target.width() != w || target.height() != h) {
    throw Error("an effect changed the picture's size from " + std::to_string(w) + " x " +
                std::to_string(h));
  }
  alpha.RestoreInto(target);
}

}  // namespace velmora
