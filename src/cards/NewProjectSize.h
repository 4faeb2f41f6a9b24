#pragma once

// What the New Project dialog computes, without its controls: the page-size templates, the
// width and height fields in pixels or inches at a resolution, the project's pixel size, the
// orientation, the memory size and the proportional page preview.

#include <cstdint>
#include <span>
#include <string_view>

namespace velmora {

enum class SizeUnit : uint8_t { kPixels, kInches };
enum class Orientation : uint8_t { kPortrait, kLandscape };

// How a template gives its pixel size. Every template is landscape: width >= height.
enum class TemplateMeasure : uint8_t {
  kKeep,         // the current pixel size stays
  kMillimetres,  // round(dpi x mm / 25.4)
  kInches,       // round(dpi x inches)
  kPixels,       // as it stands
};

struct PageTemplate {
  std::string_view id;    // stable: "custom", "a4", "letter", "pal-dv", ...
  std::string_view text;  // the list entry
  TemplateMeasure measure;
  double width;  // the long side, in the measure's unit
  double height;
  SizeUnit unit;  // the unit the fields switch to
};

// The templates in list order ("Custom" first).
std::span<const PageTemplate> PageTemplates();
// nullptr for an unknown id.
const PageTemplate* FindPageTemplate(std::string_view id);

struct PixelSize {
  int width = 0;
  int height = 0;
  bool operator==(const PixelSize&) const = default;
};

// The template's pixel size at dpi; kKeep gives current.
PixelSize TemplatePixels(const PageTemplate& page, int dpi, PixelSize current);

// The memory of a 32-bit picture in kilobytes: round(width x height x 4 / 1024), halves to even,
// in 64-bit arithmetic (an inch-sized project can be 51200000 pixels wide).
int64_t SizeInKilobytes(int64_t width, int64_t height);

// A rectangle in the dialog page's coordinates.
struct PageRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PageRect&) const = default;
};

// The preview's backdrop (Shape1) and the page rectangle (SP) for fields of width_field by
// height_field (either unit: only the ratio counts). A ratio of at least 0.95 fills the
// backdrop's width, a narrower page its height.
inline constexpr PageRect kPreviewBackdrop{344, 8, 289, 305};
PageRect PagePreviewRect(int width_field, int height_field);

// The dialog's state and handlers. Edits of the width or height only arm the recompute of the
// pixel size; the dialog runs Recompute() 50 ms later (a timer), so an orientation swap, which
// writes both fields, reads the old pixel size for both.
class NewProjectSize {
 public:
  static constexpr int kMinField = 1;
  static constexpr int kMaxField = 32000;
  static constexpr int kMinResolution = 1;
  static constexpr int kMaxResolution = 1600;

  // The dialog as created: template "Custom", 800 x 600 pixels at 72 dpi, landscape.
  NewProjectSize();

  // A template chosen from the list (also the one already chosen). Unknown ids are ignored.
  void ChooseTemplate(std::string_view id);
  // The unit chosen: the fields show the current pixel size in that unit.
  void ChooseUnit(SizeUnit unit);
  // The width or height field edited (typed or stepped); clamped to kMinField..kMaxField.
  void EditWidth(int value);
  void EditHeight(int value);
  // The resolution edited; clamped to kMinResolution..kMaxResolution. Recomputes at once.
  void EditResolution(int value);
  // "Portrait" or "Landcape" clicked: the button is checked, and a page of the other
  // orientation gets its fields swapped (a square page keeps them).
  void ChooseOrientation(Orientation orientation);

  // The deferred recompute (the timer firing): the pixel size from the fields, then the
  // orientation from it ("Portrait" when narrower than tall, "Landcape" when wider, a square
  // keeps the buttons as they are). Clears the pending mark.
  void Recompute();
  // True between an edit of the width or height and the recompute that follows it.
  bool recompute_pending() const { return recompute_pending_; }
  // Runs a pending recompute now; for "Create project", so the size handed over is the one
  // the fields show even when the button is pressed within 50 ms of an edit.
  void FinishPendingRecompute();

  std::string_view template_id() const { return template_id_; }
  SizeUnit unit() const { return unit_; }
  int width_field() const { return width_field_; }
  int height_field() const { return height_field_; }
  int resolution() const { return resolution_; }
  Orientation orientation() const { return orientation_; }
  // ProjectWidth and ProjectHeight: the size the main window's New command makes.
  PixelSize project_size() const { return project_; }
  // The size label: kilobytes of the pixel size the fields describe now.
  int64_t size_kb() const;
  // The page rectangle of the preview for the current fields.
  PageRect preview() const { return PagePreviewRect(width_field_, height_field_); }

 private:
  PixelSize FieldPixels() const;  // Perev's arithmetic
  void ShowInUnit(PixelSize size);
  void FieldsEdited();

  std::string_view template_id_;
  SizeUnit unit_ = SizeUnit::kPixels;
  int width_field_ = 800;
  int height_field_ = 600;
  int resolution_ = 72;
  Orientation orientation_ = Orientation::kLandscape;
  PixelSize project_{800, 600};
  bool recompute_pending_ = false;
};

}  // namespace velmora
