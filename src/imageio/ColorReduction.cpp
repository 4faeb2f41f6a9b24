#include "imageio/ColorReduction.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace velmora {

namespace {

constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;  // 255 / (kCubeLevels - 1)
constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;
constexpr int kExtraGreys = 40;
constexpr size_t kMaxColors = 256;
// Median cut works on a histogram of 5 bits a channel.
constexpr int kCellBits = 5;
constexpr int kCellsPerSide = 1 << kCellBits;
constexpr int kCellCount = kCellsPerSide * kCellsPerSide * kCellsPerSide;

constexpr std::array<Color32, 16> kVga16 = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};

std::array<Color32, kMaxColors> MakeHalftone() {
  std::array<Color32, kMaxColors> p{};
  int i = 0;
  for (int r = 0; r < kCubeLevels; ++r) {
    for (int g = 0; g < kCubeLevels; ++g) {
      for (int b = 0; b < kCubeLevels; ++b) {
        p[i++] = MakeColor32(255, r * kCubeStep, g * kCubeStep, b * kCubeStep);
      }
    }
  }
  for (int k = 1; k <= kExtraGreys; ++k) {
    const uint32_t v = static_cast<uint32_t>(RoundHalfEven(k * 255.0 / (kExtraGreys + 1)));
    p[i++] = MakeColor32(255, v, v, v);
  }
  return p;
}

const std::array<Color32, kMaxColors>& Halftone() {
  static const std::array<Color32, kMaxColors> palette = MakeHalftone();
  return palette;
}

int Distance2(Color32 c, int r, int g, int b) noexcept {
  const int dr = int(RedOf(c)) - r;
  const int dg = int(GreenOf(c)) - g;
  const int db = int(BlueOf(c)) - b;
  return dr * dr + dg * dg + db * db;
}

uint8_t NearestIndex(std::span<const Color32> palette, int r, int g, int b) noexcept {
  int best = 0;
  int best_d = std::numeric_limits<int>::max();
  for (size_t i = 0; i < palette.size(); ++i) {
    const int d = Distance2(palette[i], r, g, b);
    if (d < best_d) {
      best_d = d;
      best = static_cast<int>(i);
    }
  }
  return static_cast<uint8_t>(best);
}

IndexedPicture Blank(const Bitmap32& picture, std::span<const Color32> palette) {
  IndexedPicture out;
  out.width = picture.width();
  out.height = picture.height();
  out.palette.assign(palette.begin(), palette.end());
  out.indices.resize(picture.PixelCount());
  return out;
}

// Each pixel through `index_of(pixel)`, which must depend on the RGB only; runs of one colour
// reuse the last answer.
template <typename IndexOf>
IndexedPicture MapPixels(const Bitmap32& picture, std::span<const Color32> palette,
                         IndexOf index_of) {
  IndexedPicture out = Blank(picture, palette);
  const Color32* src = picture.Bits();
  uint8_t* dst = out.indices.data();
  Color32 last = 0;
  uint8_t last_index = 0;
  bool have_last = false;
  for (size_t i = 0; i < picture.PixelCount(); ++i) {
    const Color32 c = src[i] & 0x00FFFFFFu;
    if (!have_last || c != last) {
      last = c;
      last_index = index_of(c);
      have_last = true;
    }
    dst[i] = last_index;
  }
  return out;
}

IndexedPicture ReduceToTwo(const Bitmap32& picture) {
  static constexpr std::array<Color32, 2> kBlackWhite = {0xFF000000, 0xFFFFFFFF};
  return MapPixels(picture, kBlackWhite, [](Color32 c) -> uint8_t {
    return ((61 * RedOf(c) + 174 * GreenOf(c) + 21 * BlueOf(c)) >> 8) >= 128 ? 1 : 0;
  });
}

IndexedPicture ReduceToVga(const Bitmap32& picture) {
  return MapPixels(picture, kVga16,
                   [](Color32 c) { return NearestIndex(kVga16, RedOf(c), GreenOf(c), BlueOf(c)); });
}

// The nearest cube colour is each channel rounded to its level; the nearest grey is the one
// nearest to the channels' mean (its distance is 3 (grey - mean)^2 plus a constant). The
// better of the two is the nearest of the whole palette.
IndexedPicture ReduceToHalftone(const Bitmap32& picture) {
  const auto& palette = Halftone();
  std::array<uint8_t, 766> grey_for_sum{};  // by r + g + b
  for (int sum = 0; sum <= 765; ++sum) {
    int best_d = std::numeric_limits<int>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
      const Color32 c = palette[i];
      if (RedOf(c) != GreenOf(c) || GreenOf(c) != BlueOf(c)) continue;
      const int d = std::abs(3 * int(RedOf(c)) - sum);
      if (d < best_d) {
        best_d = d;
        grey_for_sum[sum] = static_cast<uint8_t>(i);
      }
    }
  }
  return MapPixels(picture, palette, [&](Color32 c) {
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    const int cube = ((r + kCubeStep / 2) / kCubeStep) * kCubeLevels * kCubeLevels +
                     ((g + kCubeStep / 2) / kCubeStep) * kCubeLevels +
                     (b + kCubeStep / 2) / kCubeStep;
    const int grey = grey_for_sum[r + g + b];
    const int dc = Distance2(palette[cube], r, g, b);
    const int dg = Distance2(palette[grey], r, g, b);
    if (dg < dc || (dg == dc && grey < cube)) return static_cast<uint8_t>(grey);
    return static_cast<uint8_t>(cube);
  });
}

// The picture's own colours in order of first appearance, or false when there are more than
// 256. An open-addressing table keyed by the RGB value.
bool ExactColors(const Bitmap32& picture, IndexedPicture& out) {
  constexpr size_t kSlots = 1024;  // a power of two, 4 x kMaxColors
  constexpr uint32_t kEmpty = 0xFFFFFFFFu;
  std::array<uint32_t, kSlots> keys;
  std::array<uint8_t, kSlots> values{};
  keys.fill(kEmpty);
  out = Blank(picture, {});
  const Color32* src = picture.Bits();
  for (size_t i = 0; i < picture.PixelCount(); ++i) {
    const uint32_t key = src[i] & 0x00FFFFFFu;
    size_t slot = (key * 2654435761u) >> 22;  // top 10 bits
    while (keys[slot] != kEmpty && keys[slot] != key) slot = (slot + 1) & (kSlots - 1);
    if (keys[slot] == kEmpty) {
      if (out.palette.size() == kMaxColors) return false;
      keys[slot] = key;
      values[slot] = static_cast<uint8_t>(out.palette.size());
      out.palette.push_back(key | 0xFF000000u);
    }
    out.indices[i] = values[slot];
  }
  return true;
}

int CellOf(int r, int g, int b) noexcept {
  const int s = 8 - kCellBits;
  return ((r >> s) << (2 * kCellBits)) | ((g >> s) << kCellBits) | (b >> s);
}

struct Histogram {
  std::vector<uint32_t> count = std::vector<uint32_t>(kCellCount);
  std::vector<std::array<uint64_t, 3>> sum = std::vector<std::array<uint64_t, 3>>(kCellCount);

  uint32_t At(const std::array<int, 3>& c) const noexcept {
    return count[(c[0] << (2 * kCellBits)) | (c[1] << kCellBits) | c[2]];
  }
};

// A box of histogram cells, bounds inclusive, shrunk to the cells it holds.
struct Box {
  std::array<int, 3> lo{};
  std::array<int, 3> hi{};
  uint64_t pixels = 0;

  int LongestAxis() const noexcept {
    int axis = 0;
    for (int a = 1; a < 3; ++a) {
      if (hi[a] - lo[a] > hi[axis] - lo[axis]) axis = a;
    }
    return axis;
  }
};

template <typename Visit>
void ForEachCell(const Box& box, Visit visit) {
  std::array<int, 3> c;
  for (c[0] = box.lo[0]; c[0] <= box.hi[0]; ++c[0]) {
    for (c[1] = box.lo[1]; c[1] <= box.hi[1]; ++c[1]) {
      for (c[2] = box.lo[2]; c[2] <= box.hi[2]; ++c[2]) visit(c);
    }
  }
}

void Shrink(Box& box, const Histogram& h) {
  Box tight{{kCellsPerSide, kCellsPerSide, kCellsPerSide}, {-1, -1, -1}, 0};
  ForEachCell(box, [&](const std::array<int, 3>& c) {
    const uint32_t n = h.At(c);
    if (n == 0) return;
    tight.pixels += n;
    for (int a = 0; a < 3; ++a) {
      tight.lo[a] = std::min(tight.lo[a], c[a]);
      tight.hi[a] = std::max(tight.hi[a], c[a]);
    }
  });
  box = tight;
}

// Splits along the longest axis where the pixel count reaches half; both halves keep pixels.
std::pair<Box, Box> Split(const Box& box, const Histogram& h) {
  const int axis = box.LongestAxis();
  std::array<uint64_t, kCellsPerSide> plane{};
  ForEachCell(box, [&](const std::array<int, 3>& c) { plane[c[axis]] += h.At(c); });
  uint64_t below = 0;
  int cut = box.lo[axis];
  for (; cut < box.hi[axis] - 1; ++cut) {
    below += plane[cut];
    if (2 * below >= box.pixels) break;
  }
  Box first = box;
  Box second = box;
  first.hi[axis] = cut;
  second.lo[axis] = cut + 1;
  Shrink(first, h);
  Shrink(second, h);
  return {first, second};
}

std::vector<Color32> MedianCut(const Histogram& h) {
  Box all{{0, 0, 0}, {kCellsPerSide - 1, kCellsPerSide - 1, kCellsPerSide - 1}, 0};
  Shrink(all, h);
  std::vector<Box> boxes = {all};
  while (boxes.size() < kMaxColors) {
    // The box whose pixels spread the most: population times its longest side.
    size_t pick = boxes.size();
    uint64_t best = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      const Box& b = boxes[i];
      const int axis = b.LongestAxis();
      const uint64_t score = b.pixels * uint64_t(b.hi[axis] - b.lo[axis]);
      if (score > best) {
        best = score;
        pick = i;
      }
    }
    if (pick == boxes.size()) break;  // every box is a single cell
    auto [first, second] = Split(boxes[pick], h);
    boxes[pick] = first;
    boxes.push_back(second);
  }
  std::vector<Color32> palette;
  for (const Box& box : boxes) {
    std::array<uint64_t, 3> total{};
    ForEachCell(box, [&](const std::array<int, 3>& c) {
      const auto& s = h.sum[(c[0] << (2 * kCellBits)) | (c[1] << kCellBits) | c[2]];
      for (int a = 0; a < 3; ++a) total[a] += s[a];
    });
    const uint64_t n = box.pixels;
    palette.push_back(MakeColor32(255, uint32_t((total[0] + n / 2) / n),
                                  uint32_t((total[1] + n / 2) / n),
                                  uint32_t((total[2] + n / 2) / n)));
  }
  return palette;
}

// Floyd-Steinberg, left to right on every row: 7/16 of a pixel's error to the right, 3/16,
// 5/16 and 1/16 to the row below. Colours are looked up by histogram cell.
void Dither(const Bitmap32& picture, IndexedPicture& out) {
  std::vector<uint8_t> cell_to_index(kCellCount);
  for (int cell = 0; cell < kCellCount; ++cell) {
    const int s = 8 - kCellBits;
    const int half = 1 << (s - 1);
    const int r = ((cell >> (2 * kCellBits)) << s) + half;
    const int g = (((cell >> kCellBits) & (kCellsPerSide - 1)) << s) + half;
    const int b = ((cell & (kCellsPerSide - 1)) << s) + half;
    cell_to_index[cell] = NearestIndex(out.palette, r, g, b);
  }
  const int w = picture.width();
  // Errors times 16, for this row and the next, with a spare pixel on either side.
  std::vector<std::array<int, 3>> here(w + 2), below(w + 2);
  for (int y = 0; y < picture.height(); ++y) {
    std::fill(below.begin(), below.end(), std::array<int, 3>{});
    const Color32* src = picture.Row(y);
    uint8_t* dst = out.indices.data() + size_t(y) * w;
    for (int x = 0; x < w; ++x) {
      const Color32 c = src[x];
      const std::array<int, 3> want = {Clamp255(int(RedOf(c)) + (here[x + 1][0] + 8) / 16),
                                       Clamp255(int(GreenOf(c)) + (here[x + 1][1] + 8) / 16),
                                       Clamp255(int(BlueOf(c)) + (here[x + 1][2] + 8) / 16)};
      const uint8_t index = cell_to_index[CellOf(want[0], want[1], want[2])];
      dst[x] = index;
      const Color32 got = out.palette[index];
      const std::array<int, 3> error = {want[0] - int(RedOf(got)), want[1] - int(GreenOf(got)),
                                        want[2] - int(BlueOf(got))};
      for (int a = 0; a < 3; ++a) {
        here[x + 2][a] += 7 * error[a];
        below[x][a] += 3 * error[a];
        below[x + 1][a] += 5 * error[a];
        below[x + 2][a] += error[a];
      }
    }
    std::swap(here, below);
  }
}

IndexedPicture ReduceAuto(const Bitmap32& picture) {
  IndexedPicture out;
  if (ExactColors(picture, out)) return out;
  Histogram h;
  const Color32* src = picture.Bits();
  for (size_t i = 0; i < picture.PixelCount(); ++i) {
    const int r = RedOf(src[i]), g = GreenOf(src[i]), b = BlueOf(src[i]);
    const int cell = CellOf(r, g, b);
    ++h.count[cell];
    h.sum[cell][0] += r;
    h.sum[cell][1] += g;
    h.sum[cell][2] += b;
  }
  out.palette = MedianCut(h);
  Dither(picture, out);
  return out;
}

}  // namespace

std::span<const Color32> Vga16Palette() noexcept { return kVga16; }
std::span<const Color32> HalftonePalette() noexcept { return Halftone(); }

IndexedPicture ReduceColors(const Bitmap32& picture, GifDepth depth) {
  switch (depth) {
    case GifDepth::kTwo:
      return ReduceToTwo(picture);
    case GifDepth::kSixteen:
      return ReduceToVga(picture);
    case GifDepth::k256:
      return ReduceToHalftone(picture);
    case GifDepth::kAuto:
      break;
  }
  return ReduceAuto(picture);
}

}  // namespace velmora
