#include "effects/GeometrySteps.h"

#include <charconv>
#include <string_view>

#include "effects/GeometryTransforms.h"
#include "effects/PerspectiveCorrection.h"
#include "graphics/Draw.h"
#include "graphics/Error.h"

namespace velmora {
namespace {

constexpr int kMaxDegrees = 360;
// Corners further out than this are surely a typing error (and would overflow the arithmetic).
constexpr int kMaxCorner = 1000000;

// A step's value does not fit its syntax.
struct BadValue {};

std::vector<std::string_view> Split(std::string_view s, char separator) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t end = s.find(separator, start);
    parts.push_back(s.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

int ParseInt(std::string_view s, int lo, int hi) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) {
    throw BadValue{};
  }
  return v;
}

GeometryStep Turn(TurnDirection direction) {
  return [direction](const Bitmap32& b) { return Rotated90(b, direction); };
}

GeometryStep Mirror(FlipDirection direction) {
  return [direction](const Bitmap32& b) {
    Bitmap32 out = b;
    Flip(out, direction);
    return out;
  };
}

GeometryStep ParseRotate(std::string_view value) {
  const auto parts = Split(value, ',');
  if (parts.size() > 2) throw BadValue{};
  const int degrees = ParseInt(parts[0], -kMaxDegrees, kMaxDegrees);
  StretchFilter filter = StretchFilter::kLinear;
  if (parts.size() == 2) {
    if (parts[1] == "nearest") {
      filter = StretchFilter::kNearest;
    } else if (parts[1] != "bilinear") {
      throw BadValue{};
    }
  }
  return [degrees, filter](const Bitmap32& b) {
    const Location whole{0, 0, float(b.width()), float(b.height())};
    return RotateByAngle(b, whole, degrees, filter).bitmap;
  };
}

GeometryStep ParseResize(std::string_view value) {
  const auto parts = Split(value, ',');
  if (parts.size() != 2) throw BadValue{};
  const auto size = Split(parts[0], 'x');
  if (size.size() != 2) throw BadValue{};
  const int w = ParseInt(size[0], 1, kMaxPictureSide);
  const int h = ParseInt(size[1], 1, kMaxPictureSide);
  const ResampleMethod* method = FindResampleMethod(parts[1]);
  if (!method) throw BadValue{};
  return [w, h, filter = method->filter](const Bitmap32& b) {
    CheckPictureSize(w, h, "resize");
    return Resized(b, w, h, filter);
  };
}

GeometryStep ParsePerspective(std::string_view value) {
  const auto parts = Split(value, ',');
  if (parts.size() != 8) throw BadValue{};
  Corners corners;
  for (int i = 0; i < 4; ++i) {
    corners[i] = {ParseInt(parts[2 * i], -kMaxCorner, kMaxCorner),
                  ParseInt(parts[2 * i + 1], -kMaxCorner, kMaxCorner)};
  }
  const PixelSize size = CorrectedSize(corners, 1.0);
  if (size.width < 1 || size.height < 1) throw BadValue{};
  return [corners](const Bitmap32& b) {
    return CorrectPerspective(b, corners, 1.0, true, std::nullopt);
  };
}

struct StepSyntax {
  std::string_view id;
  std::string_view usage;                         // after the id
  GeometryStep (*parse)(std::string_view value);  // null: the step takes no value
  GeometryStep (*make)();                         // for a step without a value
};

const StepSyntax kSteps[] = {
    {"rotate-cw", " (a quarter turn clockwise)", nullptr,
     [] { return Turn(TurnDirection::kClockwise); }},
    {"rotate-ccw", " (a quarter turn counterclockwise)", nullptr,
     [] { return Turn(TurnDirection::kCounterclockwise); }},
    {"flip-vertical", " (top to bottom)", nullptr,
     [] { return Mirror(FlipDirection::kTopToBottom); }},
    {"flip-horizontal", " (left to right)", nullptr,
     [] { return Mirror(FlipDirection::kLeftToRight); }},
    {"rotate", "=DEG[,nearest] (DEG -360..360, clockwise; bilinear unless nearest)", ParseRotate,
     nullptr},
    {"resize", "=WxH,FILTER (W, H 1..32000; FILTER nearest, bilinear or spline)", ParseResize,
     nullptr},
    {"perspective",
     "=X0,Y0,X1,Y1,X2,Y2,X3,Y3 (the corners top-left, top-right, bottom-right, bottom-left in "
     "pixels)",
     ParsePerspective, nullptr},
};

}  // namespace

std::optional<GeometryStep> ParseGeometryStep(const std::string& text) {
  const size_t eq = text.find('=');
  const std::string_view id = std::string_view(text).substr(0, eq);
  for (const StepSyntax& step : kSteps) {
    if (step.id != id) continue;
    const bool has_value = eq != std::string::npos;
    try {
      if (!step.parse) {
        if (has_value) throw BadValue{};
        return step.make();
      }
      if (!has_value) throw BadValue{};
      return step.parse(std::string_view(text).substr(eq + 1));
    } catch (const BadValue&) {
      throw Error("bad value in step '" + text + "': expected " + std::string(step.id) +
                  std::string(step.usage));
    }
  }
  return std::nullopt;
}

std::vector<std::string> GeometryStepUsage() {
  std::vector<std::string> lines;
  for (const StepSyntax& step : kSteps)
    lines.push_back(std::string(step.id) + std::string(step.usage));
  return lines;
}

}  // namespace velmora
