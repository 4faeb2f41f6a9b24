#pragma once

namespace velmora {

// The fields of Image Size and how each follows the others: Width and Height in pixels, Size in
// kilobytes of 32-bit pixels, and "Keep Proportions". Every setter applies the field's own rule
// and writes the other fields directly (their rules do not run then); every value is limited to
// its field's range.
class ImageSizeFields {
 public:
  static constexpr int kMinSide = 1, kMaxSide = 10000;
  static constexpr int kMinKilobytes = 1, kMaxKilobytes = 32000;

  // The dialog opens on the base image: its size, the size in kilobytes, and the proportions
  // width / height (kept as they were when the base image is empty).
  void Activate(int base_width, int base_height);

  // Width typed: with "Keep Proportions", Height := Round(Width / A); Size follows.
  void SetWidth(int width);
  // Height typed: with "Keep Proportions", Width := Round(Height x A); Size follows.
  void SetHeight(int height);
  // Size typed (S kilobytes): k = sqrt((W0 x H0 x 4 / 1024) / S) with W0 x H0 the base image's
  // size; Width := Round(W0 / k), Height := Round(H0 / k), whatever "Keep Proportions" says.
  void SetKilobytes(int kilobytes);
  void set_keep_proportions(bool keep) noexcept { keep_proportions_ = keep; }

  int width() const noexcept { return width_; }
  int height() const noexcept { return height_; }
  int kilobytes() const noexcept { return kilobytes_; }
  bool keep_proportions() const noexcept { return keep_proportions_; }
  double aspect() const noexcept { return aspect_; }

  // w x h x 4 / 1024, not rounded: the kilobytes of a w x h picture of 32-bit pixels.
  static double KilobytesOf(int w, int h) noexcept;

 private:
  void UpdateKilobytes() noexcept;

  int base_width_ = 0, base_height_ = 0;
  int width_ = kMinSide, height_ = kMinSide, kilobytes_ = kMinKilobytes;
  bool keep_proportions_ = true;
  double aspect_ = 0;  // base width / base height; 0 before any base image was seen
};

}  // namespace velmora
