#include "effects/ApplyRgbEffect.h"

#include <memory>

#include "effects/PixelLoops.h"

namespace velmora {
namespace {

// The alpha map: every pixel's alpha, one byte each, in pixel order.
class AlphaMap {
 public:
  explicit AlphaMap(const Bitmap32& b) : width_(b.width()), alpha_(new uint8_t[b.PixelCount()]) {
    ParallelRows(b.height(), width_, [this, &b](int first, int last) {
      const int w = width_;
      for (int y = first; y < last; ++y) {
        const Color32* row = b.Row(y);
        uint8_t* a = Line(y);
        for (int x = 0; x < w; ++x) a[x] = static_cast<uint8_t>(AlphaOf(row[x]));
      }
    });
  }

  void RestoreInto(Bitmap32& b) const noexcept {
    ForEachRow(b, [this, w = width_](Color32* row, int y) {
      const uint8_t* a = Line(y);
      PutAlpha(row, w, [a](int x) { return uint32_t{a[x]}; });
    });
  }

 private:
  uint8_t* Line(int y) const noexcept { return alpha_.get() + size_t(y) * size_t(width_); }

  int width_;
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
  try {
    routine(target);
  } catch (...) {
    alpha.RestoreInto(target);
    throw;
  }
  alpha.RestoreInto(target);
}

}  // namespace velmora
