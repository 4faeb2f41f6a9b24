#include "widgets/Icons.h"

#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <numbers>
#include <vector>

namespace velmora {
namespace {

// Every icon is designed on a 24 x 24 grid; content stays inside [2, 22].
constexpr double kGrid = 24.0;
constexpr double kLine = 1.75;  // the outline width at 24 px
constexpr double kBold = 2.25;  // arrows, chevrons and glyphs: 2 px already at 16 px

// The palette: a slate outline, white and light-slate surfaces, and a few accents.
constexpr QRgb kNone = 0x00000000;
constexpr QRgb kInk = 0xff334155;
constexpr QRgb kPaper = 0xffffffff;
constexpr QRgb kTint = 0xffdce3ec;
constexpr QRgb kMid = 0xff8d9aab;
constexpr QRgb kBlue = 0xff2f6fde;
constexpr QRgb kBlueLight = 0xffc6dbfa;
constexpr QRgb kBlueDark = 0xff1f4fa6;
constexpr QRgb kGreen = 0xff20a35a;
constexpr QRgb kAmber = 0xfff4a62a;
constexpr QRgb kAmberLight = 0xffffd98a;
constexpr QRgb kRed = 0xffe2474b;
constexpr QRgb kRose = 0xffef5f7d;
constexpr QRgb kWood = 0xffc7883d;

// The colours of a landscape picture motif, so the colour effects can show theirs.
struct Scenery {
  QRgb sky;
  QRgb hill;
  QRgb sun;
};
constexpr Scenery kNatural{0xffbfe0fb, 0xff4fb36e, 0xfff7b733};
constexpr Scenery kGrey{0xffe0e0e0, 0xff6f6f6f, 0xffb5b5b5};
constexpr Scenery kSepiaTone{0xfff1dfc1, 0xff94683f, 0xffd8ad72};
constexpr Scenery kInverted{0xff401f04, 0xffb04c91, 0xff0848cc};
constexpr Scenery kTinted{0xfff6d2ea, 0xffb03c8c, 0xffe07fc0};

QPointF Polar(QPointF centre, double radius, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  return {centre.x() + radius * std::cos(a), centre.y() + radius * std::sin(a)};
}

// Paints on the design grid and snaps straight edges to the device pixel grid: a stroke of odd
// device width is centred on a pixel centre, an even one on a pixel edge, a fill on pixel edges.
// Curves (Shape) are painted as they are. Stroke widths do not follow Scale(), so a motif drawn
// smaller keeps the family's line weight.
class IconPainter {
 public:
  IconPainter(QPainter& painter, int device_size) : p_(painter), k_(device_size / kGrid) {
    p_.setRenderHint(QPainter::Antialiasing);
  }

  void Save() {
    saved_.push_back(t_);
    p_.save();
  }
  void Restore() {
    t_ = saved_.back();
    saved_.pop_back();
    p_.restore();
  }
  void Translate(double dx, double dy) { t_ = QTransform::fromTranslate(dx, dy) * t_; }
  void Scale(double s, QPointF about) {
    t_ = QTransform::fromTranslate(-about.x(), -about.y()) * QTransform::fromScale(s, s) *
         QTransform::fromTranslate(about.x(), about.y()) * t_;
  }
  void MirrorX() { t_ = QTransform(-1, 0, 0, 1, kGrid, 0) * t_; }
  // Clockwise quarter turns about the grid's centre.
  void Turn(int quarters) {
    const double c = kGrid / 2;
    t_ = QTransform::fromTranslate(-c, -c) * QTransform().rotate(90.0 * quarters) *
         QTransform::fromTranslate(c, c) * t_;
  }
  void Blend(QPainter::CompositionMode mode) { p_.setCompositionMode(mode); }

  // Below about 20 px an icon leaves out its finest details.
  bool Small() const { return k_ < 0.8; }

  void Clip(const QRectF& r) { p_.setClipRect(FillRect(r), Qt::IntersectClip); }
  void ClipPath(const QPainterPath& path) {
    p_.setClipPath(ToDevice().map(path), Qt::IntersectClip);
  }

  void Rect(const QRectF& r, QRgb stroke, QRgb fill, double radius = 0, double width = kLine) {
    const int w = DeviceWidth(width);
    const QRectF d = stroke ? StrokeRect(r, w) : FillRect(r);
    Use(stroke, fill, w);
    const double rd = std::max(0.0, radius * Factor());
    if (rd > 0) {
      p_.drawRoundedRect(d, rd, rd);
    } else {
      p_.drawRect(d);
    }
  }

  void Line(QPointF a, QPointF b, QRgb stroke, double width = kLine) {
    Polyline({a, b}, stroke, width);
  }

  void Polyline(std::initializer_list<QPointF> points, QRgb stroke, double width = kLine) {
    const int w = DeviceWidth(width);
    Use(stroke, kNone, w);
    const QPolygonF d = SnapPoints(points, w, true);
    p_.drawPolyline(d);
  }

  void Polygon(std::initializer_list<QPointF> points, QRgb stroke, QRgb fill,
               double width = kLine) {
    const int w = DeviceWidth(width);
    Use(stroke, fill, w);
    p_.drawPolygon(SnapPoints(points, w, stroke != kNone));
  }

  void Circle(QPointF centre, double radius, QRgb stroke, QRgb fill, double width = kLine) {
    Rect(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), stroke, fill,
         radius, width);
  }

  void Shape(const QPainterPath& path, QRgb stroke, QRgb fill, double width = kLine) {
    Use(stroke, fill, DeviceWidth(width));
    p_.drawPath(ToDevice().map(path));
  }

  // A path filled with a linear gradient between two design points.
  void Gradient(const QPainterPath& path, QPointF from, QRgb from_color, QPointF to, QRgb to_color,
                QRgb stroke, double width = kLine) {
    const QTransform m = ToDevice();
    QLinearGradient gradient(m.map(from), m.map(to));
    gradient.setColorAt(0, Color(from_color));
    gradient.setColorAt(1, Color(to_color));
    Use(stroke, kNone, DeviceWidth(width));
    p_.setBrush(gradient);
    p_.drawPath(m.map(path));
  }

  // Rectangle outline made of whole-pixel dashes; every corner is solid.
  void DashedRect(const QRectF& r, QRgb stroke, double width = kLine) {
    const int w = DeviceWidth(width);
    const QRectF d = StrokeRect(r, w);
    const double half = w / 2.0;
    const int dash = std::max(2, static_cast<int>(std::lround(3 * k_)));
    const int gap = std::max(1, static_cast<int>(std::lround(2 * k_)));
    const QColor color = Color(stroke);
    auto edge = [&](double from, double to, auto&& fill_dash) {
      const double length = to - from;
      const int count = std::max(2, static_cast<int>(std::lround((length + gap) / (dash + gap))));
      for (int i = 0; i < count; ++i) {
        fill_dash(from + std::round(i * (length - dash) / (count - 1)));
      }
    };
    const double left = d.left() - half;
    const double top = d.top() - half;
    const double span_x = d.width() + w;
    const double span_y = d.height() + w;
    edge(left, left + span_x, [&](double x) {
      p_.fillRect(QRectF(x, top, dash, w), color);
      p_.fillRect(QRectF(x, d.bottom() - half, dash, w), color);
    });
    edge(top, top + span_y, [&](double y) {
      p_.fillRect(QRectF(left, y, w, dash), color);
      p_.fillRect(QRectF(d.right() - half, y, w, dash), color);
    });
  }

  // Clears what was painted under `path` grown by `margin`, so an overlapping motif (a badge, a
  // pencil) stands apart from what lies below it.
  void Knockout(const QPainterPath& path, double margin) {
    p_.save();
    p_.setCompositionMode(QPainter::CompositionMode_Clear);
    if (margin > 0) {
      p_.setPen(QPen(Qt::black, 2 * margin * k_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
      p_.setPen(Qt::NoPen);
    }
    p_.setBrush(Qt::black);
    p_.drawPath(ToDevice().map(path));
    p_.restore();
  }
  void KnockoutCircle(QPointF centre, double radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    Knockout(path, 0);
  }

 private:
  QTransform ToDevice() const { return t_ * QTransform::fromScale(k_, k_); }
  // Design length to device length under the current transform.
  double Factor() const { return std::sqrt(std::abs(t_.determinant())) * k_; }
  // Halves round to even, so the 2x width is twice the 1x one (1.75 gives 2 px at 24, 4 at 48).
  int DeviceWidth(double width) const {
    return std::max(1, static_cast<int>(std::lrint(width * k_)));
  }
  static double SnapStroke(double v, int w) {
    return (w % 2) ? std::floor(v) + 0.5 : std::round(v);
  }
  QPolygonF SnapPoints(std::initializer_list<QPointF> points, int w, bool stroked) const {
    QPolygonF out;
    const QTransform m = ToDevice();
    for (const QPointF& point : points) {
      const QPointF d = m.map(point);
      out << (stroked ? QPointF(SnapStroke(d.x(), w), SnapStroke(d.y(), w))
                      : QPointF(std::round(d.x()), std::round(d.y())));
    }
    return out;
  }
  QRectF StrokeRect(const QRectF& r, int w) const {
    const QRectF d = ToDevice().mapRect(r);
    return QRectF(QPointF(SnapStroke(d.left(), w), SnapStroke(d.top(), w)),
                  QPointF(SnapStroke(d.right(), w), SnapStroke(d.bottom(), w)));
  }
  QRectF FillRect(const QRectF& r) const {
    const QRectF d = ToDevice().mapRect(r);
    return QRectF(QPointF(std::round(d.left()), std::round(d.top())),
                  QPointF(std::round(d.right()), std::round(d.bottom())));
  }
  static QColor Color(QRgb c) { return QColor::fromRgba(c); }
  void Use(QRgb stroke, QRgb fill, int w) {
    if (stroke) {
      p_.setPen(QPen(Color(stroke), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
      p_.setPen(Qt::NoPen);
    }
    if (fill) {
      p_.setBrush(Color(fill));
    } else {
      p_.setBrush(Qt::NoBrush);
    }
  }

  QPainter& p_;
  double k_;  // device pixels per design unit
  QTransform t_;
  std::vector<QTransform> saved_;
};

// --- paths -------------------------------------------------------------------------------------

// Qt's arc angles: degrees counter-clockwise from three o'clock; a negative sweep turns clockwise.
QPainterPath Arc(QPointF centre, double radius, double start, double sweep) {
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  QPainterPath path;
  path.arcMoveTo(box, start);
  path.arcTo(box, start, sweep);
  return path;
}

QPainterPath HeartPath(QPointF centre, double width) {
  const double h = width * 0.9;
  const double x = centre.x() - width / 2;
  const double y = centre.y() - h / 2;
  auto at = [&](double u, double v) { return QPointF(x + u * width, y + v * width); };
  QPainterPath path(at(0.5, 0.22));
  path.cubicTo(at(0.5, 0.0), at(0.0, -0.02), at(0.0, 0.28));
  path.cubicTo(at(0.0, 0.52), at(0.3, 0.68), at(0.5, 0.9));
  path.cubicTo(at(0.7, 0.68), at(1.0, 0.52), at(1.0, 0.28));
  path.cubicTo(at(1.0, -0.02), at(0.5, 0.0), at(0.5, 0.22));
  path.closeSubpath();
  return path;
}

QPainterPath StarPath(QPointF centre, double outer, double inner_ratio = 0.45) {
  QPainterPath path;
  for (int i = 0; i < 10; ++i) {
    const QPointF p = Polar(centre, (i % 2) ? outer * inner_ratio : outer, -90.0 + 36.0 * i);
    if (i == 0) {
      path.moveTo(p);
    } else {
      path.lineTo(p);
    }
  }
  path.closeSubpath();
  return path;
}

// A four-pointed sparkle with concave sides.
QPainterPath SparklePath(QPointF centre, double radius) {
  QPainterPath path(Polar(centre, radius, -90));
  for (int i = 1; i <= 4; ++i) {
    path.quadTo(Polar(centre, radius * 0.22, -90 + 90.0 * i - 45),
                Polar(centre, radius, -90 + 90.0 * i));
  }
  path.closeSubpath();
  return path;
}

QPainterPath GearPath(QPointF centre, double radius) {
  QPainterPath path;
  const double root = radius * 0.72;
  for (int i = 0; i < 8; ++i) {
    const double a = 45.0 * i;
    const QPointF points[] = {Polar(centre, root, a - 16), Polar(centre, radius, a - 10),
                              Polar(centre, radius, a + 10), Polar(centre, root, a + 16)};
    for (const QPointF& p : points) {
      if (path.elementCount() == 0) {
        path.moveTo(p);
      } else {
        path.lineTo(p);
      }
    }
  }
  path.closeSubpath();
  path.addEllipse(centre, radius * 0.3, radius * 0.3);  // odd-even fill leaves the hole
  return path;
}

// --- motifs shared by several icons --------------------------------------------------------------

// An open arrow head whose tip points along `degrees` (screen angles: 0 right, 90 down).
void ArrowHead(IconPainter& c, QPointF tip, double degrees, double size, QRgb color,
               double width = kLine) {
  c.Polyline({Polar(tip, size, degrees + 180 - 45), tip, Polar(tip, size, degrees + 180 + 45)},
             color, width);
}

void Arrow(IconPainter& c, QPointF from, QPointF to, QRgb color, double head = 4.0,
           double width = kLine) {
  c.Line(from, to, color, width);
  ArrowHead(c, to, std::atan2(to.y() - from.y(), to.x() - from.x()) * 180 / std::numbers::pi, head,
            color, width);
}

// A sheet of paper with its top-right corner folded over.
void Page(IconPainter& c, const QRectF& r, double fold) {
  const double l = r.left(), t = r.top(), rt = r.right(), b = r.bottom();
  c.Polygon({{l, t}, {rt - fold, t}, {rt, t + fold}, {rt, b}, {l, b}}, kInk, kPaper);
  c.Polyline({{rt - fold, t}, {rt - fold, t + fold}, {rt, t + fold}}, kInk);
}

// A little landscape: sky, a sun and two hills, framed by the outline.
void Picture(IconPainter& c, const QRectF& r, const Scenery& s = kNatural) {
  const double l = r.left(), t = r.top(), w = r.width(), h = r.height();
  c.Rect(r, kNone, s.sky);
  c.Circle({l + 0.7 * w, t + 0.3 * h}, 0.11 * std::min(w, h) + 0.4, kNone, s.sun);
  QPainterPath hills({l, t + 0.8 * h});
  hills.lineTo(l + 0.34 * w, t + 0.42 * h);
  hills.lineTo(l + 0.6 * w, t + 0.72 * h);
  hills.lineTo(l + 0.76 * w, t + 0.56 * h);
  hills.lineTo(l + w, t + 0.82 * h);
  hills.lineTo(l + w, t + h);
  hills.lineTo(l, t + h);
  hills.closeSubpath();
  c.Save();
  c.Clip(r);
  c.Shape(hills, kNone, s.hill);
  c.Restore();
  c.Rect(r, kInk, kNone, 1.0);
}

enum class Badge { kPlus, kMinus };

// A round badge with a plus or minus, cut out of what lies below it.
void BadgeAt(IconPainter& c, QPointF centre, Badge glyph, QRgb fill, double radius = 5.0) {
  c.KnockoutCircle(centre, radius + 1.25);
  c.Circle(centre, radius, kNone, fill);
  const double a = radius * 0.5;
  const double x = centre.x(), y = centre.y();
  switch (glyph) {
    case Badge::kPlus:
      c.Line({x, y - a}, {x, y + a}, kPaper);
      [[fallthrough]];
    case Badge::kMinus:
      c.Line({x - a, y}, {x + a, y}, kPaper);
      break;
  }
}

void AddBadge(IconPainter& c) { BadgeAt(c, {17, 17}, Badge::kPlus, kGreen); }

// One layer of an isometric stack, centred at (cx, cy).
void LayerSheet(IconPainter& c, double cx, double cy, double half_w, double half_h, QRgb fill) {
  c.Polygon({{cx, cy - half_h}, {cx + half_w, cy}, {cx, cy + half_h}, {cx - half_w, cy}}, kInk,
            fill);
}

// Two layers on the left, the blue one being moved, and a vertical arrow on the right;
// `to_end` adds the bar of "all the way".
void LayerArrange(IconPainter& c, bool blue_on_top, bool up, bool to_end) {
  LayerSheet(c, 9, 15, 6, 4, blue_on_top ? kTint : kBlue);
  LayerSheet(c, 9, 9, 6, 4, blue_on_top ? kBlue : kTint);
  const double tip = up ? (to_end ? 7 : 4.5) : (to_end ? 17 : 19.5);
  const double tail = up ? 19.5 : 4.5;
  Arrow(c, {18.5, tail}, {18.5, tip}, kInk, 3.0);
  if (to_end) c.Line({16, up ? 3.5 : 20.5}, {21, up ? 3.5 : 20.5}, kInk);
}

void Floppy(IconPainter& c) {
  c.Polygon({{3, 3}, {17, 3}, {21, 7}, {21, 21}, {3, 21}}, kInk, kBlue);
  c.Rect({7.5, 3.5, 8, 5.5}, kNone, kTint);
  c.Rect({12, 4.5, 2, 3}, kNone, kBlueDark);
  c.Rect({6.5, 13, 11, 7.5}, kNone, kPaper);
  c.Line({9, 16}, {15, 16}, kMid, 1.0);
}

void Printer(IconPainter& c) {
  c.Rect({7, 3, 10, 6}, kInk, kPaper);
  c.Rect({3, 8, 18, 9}, kInk, kTint, 2.0);
  c.Rect({7, 13, 10, 8}, kInk, kPaper);
  c.Circle({17.5, 10.75}, 0.9, kNone, kGreen);
  c.Line({9.5, 16.5}, {14.5, 16.5}, kMid, 1.0);
}

// A photo seen through an oval opening of a mask.
void MaskMotif(IconPainter& c) {
  const QRectF r(3, 3.5, 15.5, 13);
  c.Rect(r, kInk, kMid, 1.5);
  QPainterPath opening;
  opening.addEllipse(r.center(), 4.75, 4);
  c.Save();
  c.ClipPath(opening);
  c.Rect(r, kNone, kNatural.sky);
  c.Polygon({{5, 16}, {10, 10.5}, {16, 16}}, kNone, kNatural.hill);
  c.Restore();
}

void Magnifier(IconPainter& c, bool plus) {
  c.Line({15, 15}, {20, 20}, kInk, 3.5);
  c.Circle({10, 10}, 6.5, kInk, kPaper);
  c.Line({7, 10}, {13, 10}, kBlue);
  if (plus) c.Line({10, 7}, {10, 13}, kBlue);
}

void RoundArrow(IconPainter& c) {
  const QPointF centre(12, 13);
  const double r = 7;
  c.Shape(Arc(centre, r, 30, -290), kBlue, kNone, kBold);
  // Clockwise motion at the end angle (100 degrees counter-clockwise) heads right.
  const QPointF tip = Polar(centre, r, -100);
  ArrowHead(c, tip + QPointF(0.6, 0.05), 0, 3.75, kBlue, kBold);
}

void UndoArrow(IconPainter& c) {
  QPainterPath path({5, 8});
  path.lineTo(14, 8);
  path.arcTo(QRectF(8, 8, 12, 12), 90, -180);
  path.lineTo(8, 20);
  c.Shape(path, kBlue, kNone, kBold);
  ArrowHead(c, {4.5, 8}, 180, 4.5, kBlue, kBold);
}

void FlipMotif(IconPainter& c) {
  c.Polygon({{10, 5}, {10, 19}, {3, 19}}, kInk, kBlue);
  c.Polygon({{14, 5}, {14, 19}, {21, 19}}, kInk, kPaper);
  for (double y = 3; y < 21.5; y += 4) c.Line({12, y}, {12, y + 2}, kMid, 1.0);
}

// The half-and-half picture of the colour effects: as it was on the left, as it becomes on the
// right.
void BeforeAfter(IconPainter& c, const Scenery& after) {
  const QRectF r(3, 4, 18, 16);
  c.Save();
  c.Clip({0, 0, 12, kGrid});
  Picture(c, r);
  c.Restore();
  c.Save();
  c.Clip({12, 0, 12, kGrid});
  Picture(c, r, after);
  c.Restore();
  c.Line({12, 4}, {12, 20}, kInk, 1.0);
}

void CropMarks(IconPainter& c, QRgb inside) {
  c.Rect({7, 7, 10, 10}, kNone, inside);
  c.Polyline({{7, 3}, {7, 17}, {21, 17}}, kInk, 2.0);
  c.Polyline({{3, 7}, {17, 7}, {17, 21}}, kInk, 2.0);
}

void Chevron(IconPainter& c, bool up, QRgb color) {
  if (up) {
    c.Polyline({{6, 15}, {12, 9}, {18, 15}}, color, kBold);
  } else {
    c.Polyline({{6, 9}, {12, 15}, {18, 9}}, color, kBold);
  }
}

void BlueDisc(IconPainter& c) { c.Circle({12, 12}, 9, kNone, kBlue); }

// A motif drawn smaller towards `anchor`, leaving room for an accessory.
void Shrunk(IconPainter& c, void (*motif)(IconPainter&), double scale, QPointF anchor) {
  c.Save();
  c.Scale(scale, anchor);
  motif(c);
  c.Restore();
}

// A shape laid over what is drawn, with a transparent gap of `margin` around it.
void Overlay(IconPainter& c, const QPainterPath& path, double margin, QRgb stroke, QRgb fill,
             double width = kLine) {
  c.Knockout(path, margin);
  c.Shape(path, stroke, fill, width);
}

// --- the icons ----------------------------------------------------------------------------------

void PaintNew(IconPainter& c) {
  Page(c, {5, 3, 13, 18}, 5);
  AddBadge(c);
}

void PaintOpen(IconPainter& c) {
  c.Polygon({{3, 19}, {3, 5}, {9, 5}, {11, 7}, {19, 7}, {19, 19}}, kInk, kAmber);
  c.Polygon({{3, 19}, {7, 11}, {20.75, 11}, {17.5, 19}}, kInk, kAmberLight);
}

void PaintSave(IconPainter& c) { Floppy(c); }

void PaintSaveAs(IconPainter& c) {
  Shrunk(c, Floppy, 0.8, {3, 3});
  QPainterPath pencil;
  pencil.addRect(0, -1.8, 9, 3.6);
  pencil.moveTo(9, -1.8);
  pencil.lineTo(12.25, 0);
  pencil.lineTo(9, 1.8);
  const QTransform place = QTransform().translate(10.5, 19.5).rotate(-45);
  Overlay(c, place.map(pencil).simplified(), 1.2, kInk, kAmber, 1.25);
  c.Line(place.map(QPointF(2.5, -1.8)), place.map(QPointF(2.5, 1.8)), kInk, 1.25);
}

void PaintPrint(IconPainter& c) { Printer(c); }

void PaintPrintSetup(IconPainter& c) {
  Shrunk(c, Printer, 0.78, {2, 2});
  Overlay(c, GearPath({17, 17}, 5), 1.2, kNone, kInk);
}

void PaintExport(IconPainter& c) {
  c.Polyline({{11, 4}, {4, 4}, {4, 20}, {20, 20}, {20, 13}}, kInk);
  Arrow(c, {10.5, 13.5}, {19.5, 4.5}, kBlue, 5.0, kBold);
}

void PaintExit(IconPainter& c) {
  c.Polyline({{13, 8}, {13, 3}, {4, 3}, {4, 21}, {13, 21}, {13, 16}}, kInk);
  c.Polygon({{4, 3}, {10, 5}, {10, 19.5}, {4, 21}}, kInk, kTint, 1.5);
  Arrow(c, {12, 12}, {20.5, 12}, kRed, 4.0, kBold);
}

void PaintUndo(IconPainter& c) { UndoArrow(c); }

void PaintRedo(IconPainter& c) {
  c.MirrorX();
  UndoArrow(c);
}

void PaintCut(IconPainter& c) {
  c.Line({9.2, 14.2}, {17, 3}, kInk, 2.0);
  c.Line({14.8, 14.2}, {7, 3}, kInk, 2.0);
  c.Circle({7, 17.25}, 3.25, kRed, kNone, kBold);
  c.Circle({17, 17.25}, 3.25, kRed, kNone, kBold);
  c.Circle({12, 10.3}, 0.9, kNone, kPaper);
}

void PaintCopy(IconPainter& c) {
  c.Rect({4, 3, 10, 13}, kInk, kTint, 1.5);
  c.Rect({9, 8, 11, 13}, kInk, kPaper, 1.5);
  c.Line({12, 12.5}, {17, 12.5}, kMid, 1.0);
  c.Line({12, 15}, {17, 15}, kMid, 1.0);
  c.Line({12, 17.5}, {15.5, 17.5}, kMid, 1.0);
}

void PaintPaste(IconPainter& c) {
  c.Rect({4, 5, 16, 16}, kInk, kAmber, 2.0);
  c.Rect({7.5, 9, 9, 10}, kNone, kPaper);
  c.Line({9.5, 12.5}, {14.5, 12.5}, kMid, 1.0);
  c.Line({9.5, 15}, {14.5, 15}, kMid, 1.0);
  c.Rect({8, 3, 8, 4}, kInk, kTint, 1.0);
}

void PaintDuplicate(IconPainter& c) {
  c.Rect({3, 3, 12, 12}, kInk, kBlueLight, 2.0);
  c.Rect({9, 9, 12, 12}, kInk, kBlue, 2.0);
  c.Line({15, 12}, {15, 18}, kPaper);
  c.Line({12, 15}, {18, 15}, kPaper);
}

void PaintDelete(IconPainter& c) {
  c.Rect({9.5, 3, 5, 3}, kInk, kNone, 1.0);
  c.Polygon({{5.5, 7}, {18.5, 7}, {17.5, 21}, {6.5, 21}}, kInk, kRed);
  c.Line({4, 6.5}, {20, 6.5}, kInk);
  c.Line({10, 10.5}, {10, 17.5}, kPaper, 1.5);
  c.Line({14, 10.5}, {14, 17.5}, kPaper, 1.5);
}

void PaintSelect(IconPainter& c) { c.DashedRect({3, 5, 18, 14}, kInk); }

void PaintSelectAll(IconPainter& c) {
  c.DashedRect({3, 3, 18, 18}, kInk);
  c.Rect({7, 7, 10, 10}, kBlue, kBlueLight, 1.0);
}

void PaintAddPhoto(IconPainter& c) {
  Picture(c, {3, 4, 16, 14});
  AddBadge(c);
}

// A serif "T".
void PaintAddCaption(IconPainter& c) {
  c.Rect({3, 3, 14, 3}, kNone, kInk);
  c.Rect({3, 3, 1.5, 4}, kNone, kInk);
  c.Rect({15.5, 3, 1.5, 4}, kNone, kInk);
  c.Rect({7.5, 5, 4, 14}, kNone, kInk);
  c.Rect({6, 18, 7, 2}, kNone, kInk);
  AddBadge(c);
}

void PaintClipArt(IconPainter& c) {
  c.Shape(HeartPath({9.5, 14.5}, 13), kInk, kRed, 1.5);
  Overlay(c, StarPath({15.5, 8.5}, 5.5), 1.0, kInk, kAmber, 1.5);
}

void PaintGreetings(IconPainter& c) {
  c.Rect({3, 6, 18, 13}, kInk, kPaper, 1.5);
  c.Polyline({{3.5, 6.5}, {12, 13}, {20.5, 6.5}}, kInk, 1.5);
  Overlay(c, HeartPath({12, 14}, 7.5), 1.0, kNone, kRose);
}

// A folded card standing open: the inside page on the left, the cover with a heart on the right.
void CardMotif(IconPainter& c, QRgb cover, QRgb heart) {
  c.Polygon({{3, 6}, {10, 3}, {10, 21}, {3, 19}}, kInk, kTint);
  c.Rect({10, 3, 10, 18}, kInk, cover);
  c.Shape(HeartPath({15, 12.5}, 6.5), kNone, heart);
}

void PaintWizard(IconPainter& c) {
  CardMotif(c, kPaper, kRose);
  Overlay(c, SparklePath({17.75, 6.25}, 3.75), 1.0, kNone, kAmber);
}

void PaintLayer(IconPainter& c) {
  LayerSheet(c, 12, 16, 9, 4.5, kTint);
  LayerSheet(c, 12, 12, 9, 4.5, kTint);
  LayerSheet(c, 12, 8, 9, 4.5, kBlue);
}

void PaintBringToFront(IconPainter& c) { LayerArrange(c, true, true, true); }
void PaintSendToBack(IconPainter& c) { LayerArrange(c, false, false, true); }
void PaintLevelUp(IconPainter& c) { LayerArrange(c, true, true, false); }
void PaintLevelDown(IconPainter& c) { LayerArrange(c, false, false, false); }

void PaintFlatten(IconPainter& c) {
  Arrow(c, {12, 3}, {12, 10}, kInk, 3.5);
  LayerSheet(c, 12, 16, 9, 4.5, kBlue);
}

// "1:1".
void PaintActualSize(IconPainter& c) {
  for (double x : {7.5, 17.5}) c.Polyline({{x - 3, 8.5}, {x, 6}, {x, 18.5}}, kInk, kBold);
  c.Rect({11.25, 9, 2, 2}, kNone, kInk);
  c.Rect({11.25, 14.5, 2, 2}, kNone, kInk);
}

void PaintFitToWindow(IconPainter& c) {
  c.Rect({3, 4, 18, 16}, kInk, kPaper, 2.0);
  const QPointF a(7.5, 15.5), b(16.5, 8.5);
  c.Line(a, b, kBlue);
  ArrowHead(c, b, -38, 3.5, kBlue);
  ArrowHead(c, a, 142, 3.5, kBlue);
}

void PaintFullScreen(IconPainter& c) {
  c.Rect({7, 7, 10, 10}, kNone, kBlueLight);
  for (int quarter = 0; quarter < 4; ++quarter) {
    c.Save();
    c.Turn(quarter);
    c.Polyline({{3.5, 9}, {3.5, 3.5}, {9, 3.5}}, kInk, 2.0);
    c.Restore();
  }
}

void PaintZoomIn(IconPainter& c) { Magnifier(c, true); }
void PaintZoomOut(IconPainter& c) { Magnifier(c, false); }

void PaintRotateCw(IconPainter& c) { RoundArrow(c); }

void PaintRotateCcw(IconPainter& c) {
  c.MirrorX();
  RoundArrow(c);
}

void PaintRotateFree(IconPainter& c) {
  QPainterPath square;
  square.addRect(-4, -4, 8, 8);
  const QPointF centre(12, 13);
  c.Shape(QTransform().translate(centre.x(), centre.y()).rotate(-20).map(square), kInk, kBlueLight);
  constexpr double kEnd = 25;  // degrees counter-clockwise from three o'clock
  c.Shape(Arc(centre, 8, 165, kEnd - 165), kBlue, kNone, kBold);
  // Clockwise motion at kEnd heads down and to the right.
  ArrowHead(c, Polar(centre, 8, -kEnd), 90 - kEnd, 3.5, kBlue, kBold);
}

void PaintFlipHorizontal(IconPainter& c) { FlipMotif(c); }

void PaintFlipVertical(IconPainter& c) {
  c.Turn(1);
  FlipMotif(c);
}

void PaintPerspective(IconPainter& c) {
  const QPointF tl(7.5, 5.5), tr(16.5, 5.5), br(19.5, 18.5), bl(4.5, 18.5);
  c.Polygon({tl, tr, br, bl}, kInk, kBlueLight);
  if (!c.Small()) {
    c.Line({10.5, 5.5}, {9.5, 18.5}, kBlue, 1.0);
    c.Line({13.5, 5.5}, {14.5, 18.5}, kBlue, 1.0);
    c.Line({6.25, 11.5}, {17.75, 11.5}, kBlue, 1.0);
  }
  for (const QPointF& corner : {tl, tr, br, bl}) {
    c.Rect({corner.x() - 1.5, corner.y() - 1.5, 3, 3}, kInk, kPaper, 0, 1.25);
  }
}

void PaintImageSize(IconPainter& c) {
  c.DashedRect({3, 3, 18, 18}, kMid, 1.25);
  c.Rect({3, 13, 8, 8}, kInk, kBlueLight, 1.0);
  Arrow(c, {9, 15}, {17.5, 6.5}, kBlue, 4.5);
}

void PaintCropCanvas(IconPainter& c) { CropMarks(c, kTint); }
void PaintCropLayer(IconPainter& c) { CropMarks(c, kBlue); }

void PaintMask(IconPainter& c) {
  MaskMotif(c);
  AddBadge(c);
}

void PaintRemoveMask(IconPainter& c) {
  MaskMotif(c);
  BadgeAt(c, {17, 17}, Badge::kMinus, kRed);
}

void PaintBrightnessContrast(IconPainter& c) {
  const QPointF centre(12, 12);
  for (int i = 0; i < 8; ++i) {
    c.Line(Polar(centre, 7.5, 45.0 * i), Polar(centre, 8.9, 45.0 * i), kAmber, 2.0);
  }
  c.Circle(centre, 5, kNone, kPaper);
  QPainterPath half;
  half.moveTo(12, 7);
  half.arcTo(QRectF(7, 7, 10, 10), 90, 180);
  half.closeSubpath();
  c.Shape(half, kNone, kInk);
  c.Circle(centre, 5, kInk, kNone, 1.5);
}

// Red, green and blue light adding up where they overlap.
void PaintColorBalance(IconPainter& c) {
  constexpr double kRadius = 5.5;
  const QPointF centres[] = {{12, 8.5}, {8.25, 14.75}, {15.75, 14.75}};
  const QRgb lights[] = {0xfff2494f, 0xff2fbf5f, 0xff3b78f0};
  c.Save();
  c.Blend(QPainter::CompositionMode_Screen);
  for (int i = 0; i < 3; ++i) c.Circle(centres[i], kRadius, kNone, lights[i]);
  c.Restore();
}

void PaintGrayscale(IconPainter& c) { BeforeAfter(c, kGrey); }
void PaintInvert(IconPainter& c) { BeforeAfter(c, kInverted); }
void PaintColorize(IconPainter& c) { BeforeAfter(c, kTinted); }
void PaintSepia(IconPainter& c) { BeforeAfter(c, kSepiaTone); }

void PaintEffects(IconPainter& c) {
  c.Line({4, 20}, {14, 10}, kInk, 3.0);
  c.Line({12.5, 11.5}, {14, 10}, kPaper, 1.5);
  c.Shape(SparklePath({16.5, 7.5}, 4.5), kNone, kAmber);
  c.Shape(SparklePath({8, 5.5}, 2.5), kNone, kAmber);
  c.Shape(SparklePath({19, 16}, 2.5), kNone, kAmber);
}

void PaintPictureFrame(IconPainter& c) {
  c.Rect({3, 3, 18, 18}, kInk, kWood, 1.0);
  Picture(c, {7, 7, 10, 10});
  for (int quarter = 0; quarter < 4; ++quarter) {
    c.Save();
    c.Turn(quarter);
    c.Line({4, 4}, {6.5, 6.5}, kInk, 1.0);
    c.Restore();
  }
}

// A picture inside a lace border: half-round scallops all along the edge.
void PaintBorders(IconPainter& c) {
  constexpr int kBumps = 4;
  constexpr double kInset = 4.75;
  const double step = (kGrid - 2 * kInset) / kBumps;
  QPainterPath lace({kInset, kInset});
  for (int quarter = 0; quarter < 4; ++quarter) {
    const QTransform side = QTransform()
                                .translate(kGrid / 2, kGrid / 2)
                                .rotate(90.0 * quarter)
                                .translate(-kGrid / 2, -kGrid / 2);
    for (int i = 0; i < kBumps; ++i) {
      const QPointF centre = side.map(QPointF(kInset + step * (i + 0.5), kInset));
      const QRectF box(centre.x() - step / 2, centre.y() - step / 2, step, step);
      lace.arcTo(box, 180.0 - 90.0 * quarter, -180.0);
    }
  }
  lace.closeSubpath();
  c.Shape(lace, kInk, kAmberLight, 1.25);
  Picture(c, {7.5, 7.5, 9, 9});
}

// A star pressed up out of a plate: lit from the top left, shaded at the bottom right.
void PaintRelief(IconPainter& c) {
  c.Rect({3, 3, 18, 18}, kInk, kTint, 2.0);
  const QPainterPath star = StarPath({12, 12.5}, 7.5);
  const double offset = c.Small() ? 1.5 : 1.0;
  c.Save();
  c.Translate(-offset, -offset);
  c.Shape(star, kNone, kPaper);
  c.Restore();
  c.Save();
  c.Translate(offset, offset);
  c.Shape(star, kNone, kInk);
  c.Restore();
  c.Shape(star, kNone, kMid);
}

void PaintButtonEffect(IconPainter& c) {
  c.Rect({3, 3, 18, 18}, kNone, kBlue);
  c.Polygon({{3, 3}, {21, 3}, {17, 7}, {7, 7}, {7, 17}, {3, 21}}, kNone, 0xff8fb6f2);
  c.Polygon({{21, 21}, {3, 21}, {7, 17}, {17, 17}, {17, 7}, {21, 3}}, kNone, kBlueDark);
  c.Rect({3, 3, 18, 18}, kInk, kNone, 0);
}

// The plain-colour background, the sibling of the chess board.
void PaintBackgroundColor(IconPainter& c) {
  c.Rect({3, 3, 18, 18}, kInk, kRose, 0);
  QPainterPath drop({12, 6.5});
  drop.cubicTo(14.5, 10, 16, 11.8, 16, 13.5);
  drop.arcTo(QRectF(8, 9.5, 8, 8), 0, -180);
  drop.cubicTo(8, 11.8, 9.5, 10, 12, 6.5);
  c.Shape(drop, kNone, kPaper);
}

void PaintChess(IconPainter& c) {
  const double cell = 4.5;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) {
      c.Rect({3 + col * cell, 3 + row * cell, cell, cell}, kNone, (row + col) % 2 ? kMid : kPaper);
    }
  }
  c.Rect({3, 3, 18, 18}, kInk, kNone, 0);
}

void PaintHelp(IconPainter& c) {
  BlueDisc(c);
  QPainterPath mark({9.25, 9.5});
  mark.arcTo(QRectF(9.25, 6.25, 5.5, 5.5), 180, -230);
  mark.quadTo(12, 12.5, 12, 14);
  c.Shape(mark, kPaper, kNone, kBold);
  c.Circle({12, 17.25}, 1.35, kNone, kPaper);
}

void PaintAbout(IconPainter& c) {
  BlueDisc(c);
  c.Circle({12, 7.5}, 1.5, kNone, kPaper);
  c.Line({12, 11}, {12, 17}, kPaper, kBold);
}

void PaintCurrentCard(IconPainter& c) {
  c.Circle({12, 12}, 7, kNone, kGreen);
  c.Polyline({{8.5, 12.5}, {11, 15}, {15.5, 9.5}}, kPaper, kBold);
}

void PaintCollapse(IconPainter& c) { Chevron(c, true, kInk); }
void PaintExpand(IconPainter& c) { Chevron(c, false, kInk); }
void PaintCollapseLight(IconPainter& c) { Chevron(c, true, kPaper); }
void PaintExpandLight(IconPainter& c) { Chevron(c, false, kPaper); }

// The program's icon, seen larger than the tool bar's and drawn finer: a greeting card standing
// half open, greetings written inside, a heart on its rose cover, and a sparkle.
void PaintAppIcon(IconPainter& c) {
  constexpr QRgb kOutline = 0xff5a2637;
  QPainterPath shadow;
  shadow.addEllipse(QPointF(12.5, 20.6), 8.5, 1.2);
  c.Shape(shadow, kNone, 0x40000000);
  QPainterPath inside;
  inside.addPolygon(QPolygonF{{3.5, 5.5}, {12, 3}, {12, 21}, {3.5, 18.5}});
  inside.closeSubpath();
  c.Gradient(inside, {3.5, 0}, 0xffffe9d6, {12, 0}, 0xfffff8f0, kOutline, 1.0);
  // Lines of greeting, slanting with the page.
  const QLineF lines[] = {
      {5.5, 9.6, 10.25, 8.35}, {5.5, 12.35, 10.25, 11.1}, {5.5, 15.1, 8.5, 14.35}};
  for (const QLineF& line : lines) c.Line(line.p1(), line.p2(), kRose, 0.9);
  QPainterPath cover;
  cover.addPolygon(QPolygonF{{12, 3}, {20.5, 4.75}, {20.5, 19.25}, {12, 21}});
  cover.closeSubpath();
  c.Gradient(cover, {12, 3}, 0xfff67b95, {20.5, 21}, 0xffd23c5f, kOutline, 1.0);
  c.Shape(HeartPath({16.25, 12.25}, 6), kNone, 0xfffff3f5);
  Overlay(c, SparklePath({19.25, 4.75}, 3.25), 0.6, kNone, kAmber);
  c.Shape(SparklePath({5.5, 3.5}, 1.5), kNone, kAmber);
}

using PaintFn = void (*)(IconPainter&);

struct IconEntry {
  IconId id;
  const char* name;
  PaintFn paint;
};

// The one table of icons, in IconId order.
constexpr IconEntry kIcons[] = {
    {IconId::kNew, "New", PaintNew},
    {IconId::kOpen, "Open", PaintOpen},
    {IconId::kSave, "Save", PaintSave},
    {IconId::kSaveAs, "SaveAs", PaintSaveAs},
    {IconId::kPrint, "Print", PaintPrint},
    {IconId::kPrintSetup, "PrintSetup", PaintPrintSetup},
    {IconId::kExport, "Export", PaintExport},
    {IconId::kExit, "Exit", PaintExit},
    {IconId::kUndo, "Undo", PaintUndo},
    {IconId::kRedo, "Redo", PaintRedo},
    {IconId::kCut, "Cut", PaintCut},
    {IconId::kCopy, "Copy", PaintCopy},
    {IconId::kPaste, "Paste", PaintPaste},
    {IconId::kDuplicate, "Duplicate", PaintDuplicate},
    {IconId::kDelete, "Delete", PaintDelete},
    {IconId::kSelect, "Select", PaintSelect},
    {IconId::kSelectAll, "SelectAll", PaintSelectAll},
    {IconId::kAddPhoto, "AddPhoto", PaintAddPhoto},
    {IconId::kAddCaption, "AddCaption", PaintAddCaption},
    {IconId::kClipArt, "ClipArt", PaintClipArt},
    {IconId::kGreetings, "Greetings", PaintGreetings},
    {IconId::kWizard, "Wizard", PaintWizard},
    {IconId::kLayer, "Layer", PaintLayer},
    {IconId::kBringToFront, "BringToFront", PaintBringToFront},
    {IconId::kSendToBack, "SendToBack", PaintSendToBack},
    {IconId::kLevelUp, "LevelUp", PaintLevelUp},
    {IconId::kLevelDown, "LevelDown", PaintLevelDown},
    {IconId::kFlatten, "Flatten", PaintFlatten},
    {IconId::kActualSize, "ActualSize", PaintActualSize},
    {IconId::kFitToWindow, "FitToWindow", PaintFitToWindow},
    {IconId::kFullScreen, "FullScreen", PaintFullScreen},
    {IconId::kZoomIn, "ZoomIn", PaintZoomIn},
    {IconId::kZoomOut, "ZoomOut", PaintZoomOut},
    {IconId::kRotateCw, "RotateCw", PaintRotateCw},
    {IconId::kRotateCcw, "RotateCcw", PaintRotateCcw},
    {IconId::kRotateFree, "RotateFree", PaintRotateFree},
    {IconId::kFlipVertical, "FlipVertical", PaintFlipVertical},
    {IconId::kFlipHorizontal, "FlipHorizontal", PaintFlipHorizontal},
    {IconId::kPerspective, "Perspective", PaintPerspective},
    {IconId::kImageSize, "ImageSize", PaintImageSize},
    {IconId::kCropCanvas, "CropCanvas", PaintCropCanvas},
    {IconId::kCropLayer, "CropLayer", PaintCropLayer},
    {IconId::kMask, "Mask", PaintMask},
    {IconId::kRemoveMask, "RemoveMask", PaintRemoveMask},
    {IconId::kBrightnessContrast, "BrightnessContrast", PaintBrightnessContrast},
    {IconId::kColorBalance, "ColorBalance", PaintColorBalance},
    {IconId::kGrayscale, "Grayscale", PaintGrayscale},
    {IconId::kInvert, "Invert", PaintInvert},
    {IconId::kColorize, "Colorize", PaintColorize},
    {IconId::kSepia, "Sepia", PaintSepia},
    {IconId::kEffects, "Effects", PaintEffects},
    {IconId::kPictureFrame, "PictureFrame", PaintPictureFrame},
    {IconId::kBorders, "Borders", PaintBorders},
    {IconId::kRelief, "Relief", PaintRelief},
    {IconId::kButtonEffect, "ButtonEffect", PaintButtonEffect},
    {IconId::kBackgroundColor, "BackgroundColor", PaintBackgroundColor},
    {IconId::kChess, "Chess", PaintChess},
    {IconId::kHelp, "Help", PaintHelp},
    {IconId::kAbout, "About", PaintAbout},
    {IconId::kCurrentCard, "CurrentCard", PaintCurrentCard},
    {IconId::kCollapse, "Collapse", PaintCollapse},
    {IconId::kExpand, "Expand", PaintExpand},
    {IconId::kCollapseLight, "CollapseLight", PaintCollapseLight},
    {IconId::kExpandLight, "ExpandLight", PaintExpandLight},
};

static_assert(std::size(kIcons) == kIconCount, "every IconId needs its row in kIcons");

constexpr bool TableInIdOrder() {
  for (int i = 0; i < kIconCount; ++i) {
    if (static_cast<int>(kIcons[i].id) != i) return false;
  }
  return true;
}
static_assert(TableInIdOrder(), "kIcons rows must follow the IconId order");

// The disabled look, taken from the finished picture so that overlapping parts (a white glyph on
// a coloured disc) keep their contrast: grey, flatter and fainter, readable on any bar colour.
void Grey(QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = qUnpremultiply(row[x]);
      const int flat = 150 + (qGray(p) - 150) / 2;
      row[x] = qPremultiply(qRgba(flat, flat, flat, qAlpha(p) * 11 / 20));
    }
  }
}

// Paints one icon, square, at the asked device size; the pixmaps are cached per size and mode.
class VectorIconEngine final : public QIconEngine {
 public:
  VectorIconEngine(PaintFn painter_fn, QString key) : paint_(painter_fn), key_(std::move(key)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const int side = std::min(rect.width(), rect.height());
    if (side <= 0) return;
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    QPixmap pm = Render(static_cast<int>(std::lround(side * dpr)), mode);
    pm.setDevicePixelRatio(dpr);
    const QPoint at(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
    painter->drawPixmap(QRect(at, QSize(side, side)), pm);
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return {side, side};
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    return Render(std::min(size.width(), size.height()), mode);
  }

  QIconEngine* clone() const override { return new VectorIconEngine(paint_, key_); }
  QString key() const override { return QStringLiteral("VelmoraVectorIcon"); }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
  }

 private:
  QPixmap Render(int device_size, QIcon::Mode mode) const {
    if (device_size <= 0) return {};
    const bool disabled = mode == QIcon::Disabled;
    const QString cache_key =
        QStringLiteral("velmora:%1:%2:%3").arg(key_).arg(device_size).arg(disabled ? 'd' : 'n');
    QPixmap pm;
    if (QPixmapCache::find(cache_key, &pm)) return pm;
    QImage image(device_size, device_size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      IconPainter canvas(painter, device_size);
      paint_(canvas);
    }
    if (disabled) Grey(image);
    pm = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(cache_key, pm);
    return pm;
  }

  PaintFn paint_;
  QString key_;
};

}  // namespace

QIcon VelmoraIcon(IconId id) {
  const int index = static_cast<int>(id);
  if (index < 0 || index >= kIconCount) return {};
  const IconEntry& entry = kIcons[index];
  return QIcon(new VectorIconEngine(entry.paint, QString::fromLatin1(entry.name)));
}

QIcon VelmoraAppIcon() { return QIcon(new VectorIconEngine(PaintAppIcon, QStringLiteral("App"))); }

QString IconName(IconId id) {
  const int index = static_cast<int>(id);
  if (index < 0 || index >= kIconCount) return {};
  return QString::fromLatin1(kIcons[index].name);
}

}  // namespace velmora
