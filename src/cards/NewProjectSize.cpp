#include "cards/NewProjectSize.h"

#include <algorithm>
#include <array>

#include "graphics/PixelMath.h"

namespace velmora {

namespace {

constexpr double kMillimetresPerInch = 25.4;

constexpr std::array<PageTemplate, 12> kTemplates{{
    {"custom", "Custom", TemplateMeasure::kKeep, 0, 0, SizeUnit::kInches},
    {"a4", "A4", TemplateMeasure::kMillimetres, 297, 210, SizeUnit::kInches},
    // Treated like A4: ISO 216 A3, the long side as width.
    {"a3", "A3", TemplateMeasure::kMillimetres, 420, 297, SizeUnit::kInches},
    {"letter", "Letter", TemplateMeasure::kInches, 11, 8.5, SizeUnit::kInches},
    {"photo-2x3", "Photo 2 x 3", TemplateMeasure::kInches, 3, 2, SizeUnit::kInches},
    {"photo-4x6", "Photo 4 x 6", TemplateMeasure::kInches, 6, 4, SizeUnit::kInches},
    {"photo-5x7", "Photo 5 x 7", TemplateMeasure::kInches, 7, 5, SizeUnit::kInches},
    {"640x480", "640 x 480", TemplateMeasure::kPixels, 640, 480, SizeUnit::kPixels},
    {"800x600", "800 x 600", TemplateMeasure::kPixels, 800, 600, SizeUnit::kPixels},
    {"pal-dv", "720 x 576 (PAL DV)", TemplateMeasure::kPixels, 720, 576, SizeUnit::kPixels},
    {"ntsc-dv", "720 x 480 (NTSC DV)", TemplateMeasure::kPixels, 720, 480, SizeUnit::kPixels},
    {"1024x768", "1024 x 768", TemplateMeasure::kPixels, 1024, 768, SizeUnit::kPixels},
}};

// The page rectangle's room inside the backdrop: a wide page spans 257 pixels from x = 360, a
// tall one 270 pixels from y = 27.
constexpr int kWideLeft = 360;
constexpr int kWideWidth = 257;
constexpr int kTallTop = 27;
constexpr int kTallHeight = 270;
constexpr double kWideRatio = 0.95;

int ClampField(int v) {
  return std::clamp(v, NewProjectSize::kMinField, NewProjectSize::kMaxField);
}

}  // namespace

std::span<const PageTemplate> PageTemplates() { return kTemplates; }

const PageTemplate* FindPageTemplate(std::string_view id) {
  const auto it = std::find_if(kTemplates.begin(), kTemplates.end(),
                               [&](const PageTemplate& t) { return t.id == id; });
  return it == kTemplates.end() ? nullptr : &*it;
}

PixelSize TemplatePixels(const PageTemplate& page, int dpi, PixelSize current) {
  switch (page.measure) {
    case TemplateMeasure::kKeep:
      return current;
    case TemplateMeasure::kMillimetres:
      return {RoundHalfEvenInt(dpi * page.width / kMillimetresPerInch),
              RoundHalfEvenInt(dpi * page.height / kMillimetresPerInch)};
    case TemplateMeasure::kInches:
      return {RoundHalfEvenInt(dpi * page.width), RoundHalfEvenInt(dpi * page.height)};
    case TemplateMeasure::kPixels:
      break;
  }
  return {static_cast<int>(page.width), static_cast<int>(page.height)};
}

int64_t SizeInKilobytes(int64_t width, int64_t height) {
  const int64_t bytes = width * height * 4;
  int64_t kb = bytes / 1024;
  const int64_t rest = bytes % 1024;
  if (rest > 512 || (rest == 512 && kb % 2 != 0)) ++kb;
  return kb;
}

PageRect PagePreviewRect(int width_field, int height_field) {
  const PageRect& back = kPreviewBackdrop;
  const double x = double(width_field) / double(height_field);
  if (x >= kWideRatio) {
    const int height = RoundHalfEvenInt(kWideWidth / x);
    return {kWideLeft, RoundHalfEvenInt((back.height - height) / 2.0) + back.top, kWideWidth,
            height};
  }
  const int width = RoundHalfEvenInt(x * kTallHeight);
  return {RoundHalfEvenInt((back.width - width) / 2.0) + back.left, kTallTop, width, kTallHeight};
}

NewProjectSize::NewProjectSize() : template_id_(kTemplates[0].id) { Recompute(); }

void NewProjectSize::ChooseTemplate(std::string_view id) {
  const PageTemplate* page = FindPageTemplate(id);
  if (page == nullptr) return;
  template_id_ = page->id;
  project_ = TemplatePixels(*page, resolution_, project_);
  unit_ = page->unit;
  ShowInUnit(project_);
}

void NewProjectSize::ChooseUnit(SizeUnit unit) {
  unit_ = unit;
  ShowInUnit(project_);
}

void NewProjectSize::EditWidth(int value) {
  width_field_ = ClampField(value);
  FieldsEdited();
}

void NewProjectSize::EditHeight(int value) {
  height_field_ = ClampField(value);
  FieldsEdited();
}

void NewProjectSize::EditResolution(int value) {
  resolution_ = std::clamp(value, kMinResolution, kMaxResolution);
  Recompute();
}

void NewProjectSize::ChooseOrientation(Orientation orientation) {
  orientation_ = orientation;
  const bool other = orientation == Orientation::kPortrait ? project_.height < project_.width
                                                           : project_.width < project_.height;
  if (other) ShowInUnit({project_.height, project_.width});
}

void NewProjectSize::Recompute() {
  recompute_pending_ = false;
  project_ = FieldPixels();
  if (project_.width < project_.height) orientation_ = Orientation::kPortrait;
  if (project_.height < project_.width) orientation_ = Orientation::kLandscape;
}

void NewProjectSize::FinishPendingRecompute() {
  if (recompute_pending_) Recompute();
}

int64_t NewProjectSize::size_kb() const {
  const PixelSize size = FieldPixels();
  return SizeInKilobytes(size.width, size.height);
}

PixelSize NewProjectSize::FieldPixels() const {
  const int scale = unit_ == SizeUnit::kInches ? resolution_ : 1;
  return {width_field_ * scale, height_field_ * scale};
}

// Both fields change, and each change counts as an edit, even when it writes the value the
// field already holds: the pixel size is then recomputed from what the fields show.
void NewProjectSize::ShowInUnit(PixelSize size) {
  const auto in_unit = [&](int pixels) {
    return unit_ == SizeUnit::kInches ? RoundHalfEvenInt(double(pixels) / resolution_) : pixels;
  };
  width_field_ = ClampField(in_unit(size.width));
  height_field_ = ClampField(in_unit(size.height));
  FieldsEdited();
}

void NewProjectSize::FieldsEdited() { recompute_pending_ = true; }

}  // namespace velmora
