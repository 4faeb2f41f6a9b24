// velmora-tool thumbnail -s SIZE INPUT OUTPUT: the desktop's thumbnailer for projects (the
// freedesktop thumbnailer conventions: OUTPUT is a PNG whatever its name, and nothing is written
// when anything fails).

#include <algorithm>
#include <string>

#include "ToolCommand.h"
#include "ToolSupport.h"
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

// The flattened card shrunk so that its longest side is `size`; the smooth linear filter averages
// every pixel a thumbnail pixel covers. A card no larger than that is its flattened picture.
// (Drawing the card through the view's renderer at the thumbnail's scale instead was measured
// slower: averaging every layer's pixels costs more than blending them at full size.)
Bitmap32 RenderThumbnail(CardDocument& doc, int size) {
  const Bitmap32& card = doc.ComposePicture();
  const int longest = std::max(card.width(), card.height());
  if (size >= longest) return card;
  const double scale = double(size) / longest;
  auto side = [scale](int n) { return std::max(1, RoundHalfEvenInt(n * scale)); };
  return Resized(card, side(card.width()), side(card.height()), StretchFilter::kSmoothLinear);
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
