#include "ReferenceEffects.h"

#include <cmath>
#include <numbers>

namespace velmora::testing {
namespace {

int Clamp(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

template <typename Fn>
void EachPixel(Picture24& p, Fn fn) {
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) fn(p.At(x, y));
}

// Applies fn(channel value, channel index 0 = blue, 1 = green, 2 = red) to every channel.
template <typename Fn>
void EachChannel(Picture24& p, Fn fn) {
  EachPixel(p, [&](uint8_t* px) {
    for (int c = 0; c < 3; ++c) px[c] = static_cast<uint8_t>(fn(int(px[c]), c));
  });
}

}  // namespace

void RefInvert(Picture24& p) {
  EachChannel(p, [](int v, int) { return 255 - v; });
}

void RefGrayscale(Picture24& p) {
  EachPixel(p, [](uint8_t* px) {
    const long double y = 0.3L * px[2] + 0.59L * px[1] + 0.11L * px[0];
    px[0] = px[1] = px[2] = static_cast<uint8_t>(std::nearbyintl(y));
  });
}

void RefColorize(Picture24& p, int red, int green, int blue) {
  EachPixel(p, [&](uint8_t* px) {
    const double s = (px[0] + px[1] + px[2]) / 765.0;
    px[2] = static_cast<uint8_t>(std::nearbyint(red * s));
    px[1] = static_cast<uint8_t>(std::nearbyint(green * s));
    px[0] = static_cast<uint8_t>(std::nearbyint(blue * s));
  });
}

void RefColorNoise(Picture24& p, int amount, Random& rnd) {
  EachPixel(p, [&](uint8_t* px) {
    for (int c = 0; c < 3; ++c) {  // blue, green, red
      px[c] = static_cast<uint8_t>(Clamp(px[c] + int(rnd(amount)) - (amount >> 1)));
    }
  });
}

void RefMonoNoise(Picture24& p, int amount, Random& rnd) {
  EachPixel(p, [&](uint8_t* px) {
    const int o = int(rnd(amount)) - (amount >> 1);
    for (int c = 0; c < 3; ++c) px[c] = static_cast<uint8_t>(Clamp(px[c] + o));
  });
}

void RefSplitBlur(Picture24& p, int d) {
  if (d == 0) return;
  const int w = p.width, h = p.height;
  for (int y = 0; y < h; ++y) {
    const int u = y - d < 0 ? y : y - d;
    const int v = y + d < h ? y + d : h - 1;
    for (int x = 0; x < w; ++x) {
      const int l = x - d < 0 ? x : x - d;
      const int r = x + d < w ? x + d : w - 1;
      for (int c = 0; c < 3; ++c) {
        p.At(x, y)[c] = static_cast<uint8_t>(
            (p.At(l, u)[c] + p.At(l, v)[c] + p.At(r, u)[c] + p.At(r, v)[c]) >> 2);
      }
    }
  }
}

void RefSpray(Picture24& p, int radius, Random& rnd) {
  for (int x = 0; x < p.width; ++x) {
    for (int y = 0; y < p.height; ++y) {
      const int k = int(rnd(radius));
      const int sx = x + k - int(rnd(2 * k));
      const int sy = y + k - int(rnd(2 * k));
      if (sx >= 0 && sx < p.width && sy >= 0 && sy < p.height) {
        for (int c = 0; c < 3; ++c) p.At(x, y)[c] = p.At(sx, sy)[c];
      }
    }
  }
}

void RefMosaic(Picture24& p, int n) {
  if (n <= 1) return;
  Picture24 before = p;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      for (int c = 0; c < 3; ++c) p.At(x, y)[c] = before.At(x - x % n, y - y % n)[c];
}

void RefWave(Picture24& p, int amount, int inference, int style) {
  const int a = amount;
  Picture24 copy = p;
  const double f = (std::numbers::pi / 2) / a;
  for (int y = p.height - 1 - 2 * a; y >= a; --y) {
    int b = 0;
    for (int x = 0; x < p.width; ++x) {
      for (int c = 0; c < 3; ++c) p.At(x, y + a + b)[c] = copy.At(x, y)[c];
      const double t = x * f;
      double v = 0;
      if (style == 0) v = a * std::sin(t);
      if (style == 1) v = a * std::sin(t) * std::cos(t);
      if (style == 2) v = a * std::sin(t) * std::sin(inference * t);
      b = static_cast<int>(std::nearbyint(v));
    }
  }
}

void RefBrightness(Picture24& p, int a) {
  EachChannel(p, [a](int v, int) { return Clamp(v + (v * a) / 255); });
}

void RefContrast(Picture24& p, int a) {
  EachChannel(p, [a](int v, int) {
    const int f = (std::abs(127 - v) * a) / 255;
    return v <= 127 ? Clamp(v - f) : Clamp(v + f);
  });
}

void RefBalanceFast(Picture24& p, int r, int g, int b) {
  const int offset[3] = {b, g, r};
  EachChannel(p, [&](int v, int c) { return Clamp(v + offset[c]); });
}

void RefBalanceQuality(Picture24& p, int r, int g, int b) {
  const int offset[3] = {2 * b, 2 * g, 2 * r};
  EachChannel(p, [&](int v, int c) { return Clamp(v + (v * offset[c]) / 255); });
}

}  // namespace velmora::testing
