#include "imageio/CodecSupport.h"

#include "graphics/Error.h"

namespace velmora {

namespace {

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// Fuzzing builds refuse large pictures early, so the fuzzer spends its time on parsing rather
// than on filling gigabytes of pixels.
constexpr int64_t kFuzzMaxPixels = int64_t{1} << 22;
#endif

}  // namespace

void FailPicture(const std::string& name, const std::string& reason) {
  throw Error(name + ": " + reason);
}

void CheckDecodedSize(int64_t width, int64_t height, const std::string& name) {
  if (width < 1 || height < 1) {
    FailPicture(name,
                "invalid picture size: " + std::to_string(width) + " x " + std::to_string(height));
  }
  CheckPictureSize(width, height, name);
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  if (width * height > kFuzzMaxPixels) FailPicture(name, "picture too large for fuzzing");
#endif
}

void MakeOpaque(Bitmap32& picture) noexcept {
  Color32* p = picture.Bits();
  const size_t n = picture.PixelCount();
  for (size_t i = 0; i < n; ++i) p[i] |= 0xFF000000u;
}

}  // namespace velmora
