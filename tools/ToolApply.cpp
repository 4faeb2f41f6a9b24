// velmora-tool apply INPUT OUTPUT STEP...: effect and geometry steps, in order, on a picture or
// on a project's base image, written in the format that OUTPUT's extension names.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ToolCommand.h"
#include "ToolSupport.h"
#include "effects/ApplyRgbEffect.h"
#include "effects/EffectTable.h"
#include "effects/GeometrySteps.h"
#include "files/CardFiles.h"
#include "files/ProjectFile.h"
#include "graphics/Error.h"
#include "graphics/Random.h"

namespace velmora::tool {
namespace {

constexpr std::string_view kName = "apply";

constexpr int kJpegQuality = 100;  // what Save writes

constexpr std::string_view kHelp =
    "INPUT is a picture or a project (.vlm in any letter case); for a project the steps work on\n"
    "its base image and the layers stay as they are. The steps run in the order given, drawing\n"
    "random numbers from one generator that starts at seed 0, as the program does after it\n"
    "starts, so the same command always gives the same result. Effects make the picture opaque,\n"
    "except brightness, contrast and the balances, which keep its alpha.\n"
    "\n"
    "OUTPUT's extension, in any letter case, names what is written:\n"
    "  .vlm                    the project, layers included\n"
    "  .bmp .jpg .jpeg .gif    the flattened card, as Save writes it (JPEG at quality 100;\n"
    "  .png .tif .tiff         BMP with alpha; PNG and TIFF without)\n"
    "OUTPUT is replaced only when the whole file has been written.\n"
    "\n"
    "Steps:\n";

using PictureStep = std::function<void(Bitmap32& picture, Random& random)>;

// An effect step, else a geometry step; Error for a bad value or an unknown id.
PictureStep ParseStep(const std::string& text) {
  const std::string id = text.substr(0, text.find('='));
  try {
    const EffectStep effect = ParseEffectStep(text);
    return [effect](Bitmap32& picture, Random& random) {
      ApplyEffectStep(effect, picture, TargetKind::kBaseImage, random);
    };
  } catch (const Error& e) {
    if (std::string(e.what()) != "unknown effect step '" + id + "'") throw;
  }
  if (std::optional<GeometryStep> geometry = ParseGeometryStep(text)) {
    return [turn = std::move(*geometry)](Bitmap32& picture, Random&) { picture = turn(picture); };
  }
  throw Error("unknown step '" + id + "'");
}

std::string Help() {
  std::string help(kHelp);
  std::vector<std::string> lines = EffectStepUsage();
  for (std::string& line : GeometryStepUsage()) lines.push_back(std::move(line));
  for (const std::string& line : lines) help.append("  ").append(line).append("\n");
  return help;
}

int RunApply(std::span<const std::string> arguments) {
  const ParsedArguments args = ParseArguments(arguments, {});
  if (!args.error.empty()) return BadUsage(kName, args.error);
  if (args.help) return CommandHelp(kName, Help());
  if (args.operands.size() < 3) return BadUsage(kName, "expected INPUT, OUTPUT and a STEP");
  const std::string& input = args.operands[0];
  const std::string& output = args.operands[1];
  // Every extension the program saves has a lower-case spelling among Save's names.
  const std::optional<CardFileKind> kind = SaveKindOf("x" + LowerCaseExtensionOf(output));
  if (!kind) {
    return BadUsage(kName, "cannot tell the format of '" + output +
                               "': use .vlm, .bmp, .jpg, .jpeg, .gif, .png, .tif or .tiff");
  }
  std::vector<PictureStep> steps;
  try {
    for (size_t i = 2; i < args.operands.size(); ++i) steps.push_back(ParseStep(args.operands[i]));
  } catch (const Error& e) {
    return BadUsage(kName, e.what());
  }

  CardDocument doc;
  OpenCard(doc, input);
  Random random;
  Bitmap32& picture = doc.MutableBaseImage();
  for (const PictureStep& step : steps) step(picture, random);

  if (*kind == CardFileKind::kProject) {
    SaveProject(doc, output);
    return 0;
  }
  SaveOptions options;
  options.jpeg_quality = kJpegQuality;
  options.gif_depth = GifDepth::kAuto;
  WriteCard(doc, output, *kind, options);
  return 0;
}

}  // namespace

extern const ToolCommand kApplyCommand{
    kName, "INPUT OUTPUT STEP...",
    "Runs effect and geometry steps on a picture or a project's base image and writes the "
    "result.",
    RunApply};

}  // namespace velmora::tool
