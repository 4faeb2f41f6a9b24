#pragma once

// The geometry steps of velmora-tool's apply chain, on the picture as a whole:
//   rotate-cw, rotate-ccw          a quarter turn (RotateLayer90's pixel work)
//   flip-vertical                  top to bottom
//   flip-horizontal                left to right
//   rotate=DEG[,nearest]           RotateByAngle by DEG (-360..360), bilinear unless ",nearest"
//   resize=WxH,FILTER              ResizeImage's resampling to W x H (1..32000); FILTER nearest,
//                                  bilinear or spline
//   perspective=X0,Y0,...,X3,Y3    the perspective correction with the corners in the picture's
//                                  own pixels (top-left, top-right, bottom-right, bottom-left),
//                                  bilinear, transparent where the picture does not reach

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"

namespace velmora {

// One parsed step: takes the picture, returns the new one. Throws Error (e.g. a picture too
// large to make).
using GeometryStep = std::function<Bitmap32(const Bitmap32&)>;

// nullopt when `text` ("id" or "id=value") does not name a geometry step, so the caller can try
// its other step tables. Throws Error("bad value in step '<text>': expected ...") for a geometry
// step with a missing, superfluous, malformed or out-of-range value.
std::optional<GeometryStep> ParseGeometryStep(const std::string& text);

// One line per step for the tool's help, e.g. "resize=WxH,FILTER (W, H 1..32000; FILTER
// nearest, bilinear or spline)".
std::vector<std::string> GeometryStepUsage();

}  // namespace velmora
