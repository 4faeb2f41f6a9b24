// velmora-tool thumbnail -s SIZE INPUT OUTPUT: the desktop's thumbnailer for projects (the
// freedesktop thumbnailer conventions: OUTPUT is a PNG whatever its name, and nothing is written
// when anything fails).

#include <algorithm>
#include <string>

#include "ToolCommand.h"
#include "ToolSupport.h"
#include "document/ViewportRenderer.h"
#include "graphics/Draw.h"
#include "imageio/PictureIO.h"

namespace velmora::tool {
namespace {

constexpr std::string_view kName = "thumbnail";

constexpr OptionSpec kOptions[] = {{"-s", "--size", true}};

constexpr std::string_view kHelp =
    "INPUT is a project (.vlm in any letter case) or a picture. OUTPUT becomes a PNG, whatever\n"
    "its name, of the flattened card with its longest side SIZE pixels; a card smaller than\n"
    "that keeps its own size. On any failure nothing is written and the exit code is not 0.\n"
    "\n"
    "Options:\n"
    "  -s, --size SIZE   the longest side in pixels, 1..32000 (required)\n";

// The card as the view shows it at the thumbnail's scale, without background, every picture
// drawn with the linear filter, which below half size averages all the pixels a thumbnail pixel
// covers. This touches each pixel of the card once instead of flattening it at full size first.
Bitmap32 RenderThumbnail(CardDocument& doc, int size) {
  const Bitmap32& base = doc.base_image();
  const int longest = std::max(base.width(), base.height());
  if (size >= longest) return doc.ComposePicture();
  const ViewMapping mapping{double(size) / longest, 0, 0};
  const IntRect area = ViewRectOf({0, 0, double(base.width()), double(base.height())}, mapping);
  if (area.empty()) {  // a sliver of a card: its short side would vanish
    const double scale = mapping.scale;
    return Resized(doc.ComposePicture(), std::max(1, int(base.width() * scale)),
                   std::max(1, int(base.height() * scale)), StretchFilter::kSmoothLinear);
  }
  doc.SelectLayer(nullptr);
  // Interpolated drawing throughout: a reduced picture must average its pixels, not pick some.
  doc.MutableBaseImage().set_stretch_filter(StretchFilter::kLinear);
  for (int i = 0; i < doc.LayerCount(); ++i) {
    Layer& layer = doc.LayerAt(i);
    layer.set_scaled(true);  // the flattened card places every layer in card pixels
    if (BitmapLayer* b = layer.AsBitmap()) {
      b->MutableBitmap().set_stretch_filter(StretchFilter::kLinear);
    }
  }
  Bitmap32 out;
  // The view's cached reductions would be built once and thrown away: slower here.
  ViewportRenderer renderer(/*use_reductions=*/false);
  renderer.Render(doc, mapping, area, nullptr, out);
  return out;
}

int RunThumbnail(std::span<const std::string> arguments) {
  const ParsedArguments args = ParseArguments(arguments, kOptions);
  if (!args.error.empty()) return BadUsage(kName, args.error);
  if (args.help) return CommandHelp(kName, kHelp);
  const std::optional<std::string> size_text = args.Value("-s");
  if (!size_text) return BadUsage(kName, "the size (-s SIZE) is missing");
  const std::optional<int> size = ParseInt(*size_text, 1, kMaxPictureSide);
  if (!size) return BadUsage(kName, "bad size '" + *size_text + "': expected 1..32000");
  if (args.operands.size() != 2) return BadUsage(kName, "expected INPUT and OUTPUT");

  CardDocument doc;
  OpenCard(doc, args.operands[0]);
  SaveOptions png;
  png.format = PictureFormat::kPng;
  png.png_alpha = true;  // transparent parts of the card stay transparent
  SavePicture(args.operands[1], RenderThumbnail(doc, *size), png);
  return 0;
}

}  // namespace

extern const ToolCommand kThumbnailCommand{
    kName, "-s SIZE INPUT OUTPUT",
    "Writes a PNG thumbnail of the card, its longest side SIZE pixels (for file managers).",
    RunThumbnail};

}  // namespace velmora::tool
