// velmora-tool info FILE [--json]: the card's size and its layers, as text or as one JSON object.

#include <charconv>
#include <cstdio>
#include <string>

#include "ToolCommand.h"
#include "ToolSupport.h"

namespace velmora::tool {
namespace {

constexpr std::string_view kName = "info";

constexpr OptionSpec kOptions[] = {{"--json", "", false}};

constexpr std::string_view kHelp =
    "FILE is a project (.vlm in any letter case) or a picture; a picture is a card without\n"
    "layers. Layers are listed bottom first. A place is the layer's left, top, right and bottom\n"
    "edge in card pixels (exactly as stored).\n"
    "\n"
    "Options:\n"
    "  --json    print one JSON object instead of text:\n"
    "              type     \"project\" or \"picture\"\n"
    "              width    the card's width in pixels\n"
    "              height   the card's height in pixels\n"
    "              layers   an array, bottom layer first, of objects:\n"
    "                kind          \"bitmap\" or \"frame\"\n"
    "                pixel_width   the layer picture's width (0 for a frame)\n"
    "                pixel_height  the layer picture's height (0 for a frame)\n"
    "                left, top, right, bottom   the place on the card, in card pixels\n"
    "                opacity       0..255\n"
    "                interpolated  true when drawn with the linear filter, false for nearest\n"
    "                cropped       true when the part outside the card is not shown\n"
    "                scaled        true when the layer zooms with the view\n";

// The shortest text that reads back as the same float, so the figures are exactly the stored
// ones. Positions come from a checked reader and are always finite.
std::string Number(float v) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  return std::string(text, end);
}

struct LayerFacts {
  std::string_view kind;
  int pixel_width = 0, pixel_height = 0;
  Location place;
  int opacity = 0;
  bool interpolated = false, cropped = false, scaled = true;
};

LayerFacts FactsOf(const Layer& layer) {
  LayerFacts f;
  f.kind = layer.is_bitmap() ? "bitmap" : "frame";
  f.place = layer.location();
  f.scaled = layer.scaled();
  if (const BitmapLayer* b = layer.AsBitmap()) {
    f.pixel_width = b->bitmap().width();
    f.pixel_height = b->bitmap().height();
    f.opacity = b->opacity();
    f.interpolated = b->interpolated();
    f.cropped = b->cropped();
  }
  return f;
}

const char* YesNo(bool b) { return b ? "yes" : "no"; }
const char* TrueFalse(bool b) { return b ? "true" : "false"; }

std::string PlaceText(const Location& l) {
  return Number(l.left) + " " + Number(l.top) + " " + Number(l.right) + " " + Number(l.bottom);
}

void PrintText(const CardDocument& doc, bool project) {
  const Bitmap32& base = doc.base_image();
  std::printf("type: %s\nsize: %d x %d\nlayers: %d\n", project ? "project" : "picture",
              base.width(), base.height(), doc.LayerCount());
  for (int i = 0; i < doc.LayerCount(); ++i) {
    const LayerFacts f = FactsOf(doc.LayerAt(i));
    std::printf(
        "layer %d: %.*s %d x %d, place %s, opacity %d, interpolated %s, cropped %s, scaled %s\n",
        i + 1, int(f.kind.size()), f.kind.data(), f.pixel_width, f.pixel_height,
        PlaceText(f.place).c_str(), f.opacity, YesNo(f.interpolated), YesNo(f.cropped),
        YesNo(f.scaled));
  }
}

void PrintJson(const CardDocument& doc, bool project) {
  const Bitmap32& base = doc.base_image();
  std::printf("{\"type\":\"%s\",\"width\":%d,\"height\":%d,\"layers\":[",
              project ? "project" : "picture", base.width(), base.height());
  for (int i = 0; i < doc.LayerCount(); ++i) {
    const LayerFacts f = FactsOf(doc.LayerAt(i));
    const Location& l = f.place;
    std::printf(
        "%s{\"kind\":\"%.*s\",\"pixel_width\":%d,\"pixel_height\":%d,\"left\":%s,\"top\":%s,"
        "\"right\":%s,\"bottom\":%s,\"opacity\":%d,\"interpolated\":%s,\"cropped\":%s,"
        "\"scaled\":%s}",
        i ? "," : "", int(f.kind.size()), f.kind.data(), f.pixel_width, f.pixel_height,
        Number(l.left).c_str(), Number(l.top).c_str(), Number(l.right).c_str(),
        Number(l.bottom).c_str(), f.opacity, TrueFalse(f.interpolated), TrueFalse(f.cropped),
        TrueFalse(f.scaled));
  }
  std::printf("]}\n");
}

int RunInfo(std::span<const std::string> arguments) {
  const ParsedArguments args = ParseArguments(arguments, kOptions);
  if (!args.error.empty()) return BadUsage(kName, args.error);
  if (args.help) return CommandHelp(kName, kHelp);
  if (args.operands.size() != 1) return BadUsage(kName, "expected one FILE");
  const std::string& path = args.operands[0];
  CardDocument doc;
  OpenCard(doc, path);
  const bool project = IsProjectFileName(path);
  if (args.Has("--json")) {
    PrintJson(doc, project);
  } else {
    PrintText(doc, project);
  }
  return 0;
}

}  // namespace

extern const ToolCommand kInfoCommand{kName, "FILE [--json]",
                                      "Shows the card's size and its layers; --json prints one "
                                      "JSON object (keys: 'info --help').",
                                      RunInfo};

}  // namespace velmora::tool
