#include "effects/ApplyRgbEffect.h"

#include <memory>

#include "effects/PixelLoops.h"
#include "graphics/PixelFilters.h"

namespace velmora {
namespace {

// The alpha map: every pixel's alpha, one byte each, in pixel order.
class AlphaMap {
 public:
  explicit AlphaMap(const Bitmap32& b) : width_(b.width()), alpha_(new uint8_t[b.PixelCount()]) {
    const int w = width_;
    ParallelRows(b.height(), w, [&](int first, int last) {
      for (int y = first; y < last; ++y) {
        const Color32* row = b.Row(y);
        uint8_t* a = Line(y);
        for (int x = 0; x < w; ++x) a[x] = static_cast<uint8_t>(AlphaOf(row[x]));
      }
    });
  }

  void RestoreInto(Bitmap32& b) const noexcept {
    const int w = width_;
    ForEachRow(b, [&](Color32* row, int y) {
      const uint8_t* a = Line(y);
      for (int x = 0; x < w; ++x) row[x] = WithAlpha(row[x], a[x]);
    });
  }

 private:
  uint8_t* Line(int y) const noexcept { return alpha_.get() + size_t(y) * size_t(width_); }

  int width_;
  std::unique_ptr<uint8_t[]> alpha_;
};

}  // namespace

void ApplyRgbEffect(Bitmap32& target, TargetKind kind,
                    const std::function<void(Bitmap32&)>& routine) {
  if (target.empty()) return;
  if (kind == TargetKind::kBaseImage) {
    routine(target);
    SetAlpha(target, 255);
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
