// velmora-tool render FILE OUT [--quality N]: the flattened card, written in the format that
// OUT's extension names.

#include <string>

#include "ToolCommand.h"
#include "ToolSupport.h"
#include "files/CardFiles.h"
#include "files/ProjectFile.h"

namespace velmora::tool {
namespace {

constexpr std::string_view kName = "render";

constexpr OptionSpec kOptions[] = {{"--quality", "-q", true}};

constexpr int kDefaultJpegQuality = 100;  // what Save writes

constexpr std::string_view kHelp =
    "FILE is a project (.vlm in any letter case) or a picture. The card is flattened as the\n"
    "program saves and exports it, and written to OUT in the format its extension names, in any\n"
    "letter case:\n"
    "  .bmp            32 bits with the card's alpha\n"
    "  .jpg .jpeg      JPEG, quality from --quality (default 100)\n"
    "  .gif            GIF with the picture's own colours, reduced to 256 when it has more\n"
    "  .png            24-bit PNG\n"
    "  .tif .tiff      24-bit TIFF\n"
    "  .vlm            a project holding the flattened card and no layers\n"
    "OUT is replaced only when the whole file has been written.\n"
    "\n"
    "Options:\n"
    "  -q, --quality N   JPEG quality, 1..100\n";

struct OutputFormat {
  std::string_view extension;  // lower case, with the dot
  CardFileKind kind;
};

constexpr OutputFormat kOutputFormats[] = {
    {".bmp", CardFileKind::kBmp},   {".jpg", CardFileKind::kJpeg},
    {".jpeg", CardFileKind::kJpeg}, {".gif", CardFileKind::kGif},
    {".png", CardFileKind::kPng},   {".tif", CardFileKind::kTiff},
    {".tiff", CardFileKind::kTiff}, {".vlm", CardFileKind::kProject},
};

std::optional<CardFileKind> OutputKindOf(const std::string& path) {
  const std::string extension = LowerCaseExtensionOf(path);
  for (const OutputFormat& f : kOutputFormats) {
    if (f.extension == extension) return f.kind;
  }
  return std::nullopt;
}

// A project of the flattened card: its base image is the composed picture, with no layers.
void WriteFlatProject(CardDocument& doc, const std::string& path) {
  CardDocument flat;
  flat.MutableBaseImage() = doc.ComposePicture();
  SaveProject(flat, path);
}

int RunRender(std::span<const std::string> arguments) {
  const ParsedArguments args = ParseArguments(arguments, kOptions);
  if (!args.error.empty()) return BadUsage(kName, args.error);
  if (args.help) return CommandHelp(kName, kHelp);
  if (args.operands.size() != 2) return BadUsage(kName, "expected FILE and OUT");
  const std::string& input = args.operands[0];
  const std::string& output = args.operands[1];
  const std::optional<CardFileKind> kind = OutputKindOf(output);
  if (!kind) {
    return BadUsage(kName, "cannot tell the format of '" + output +
                               "': use .bmp, .jpg, .jpeg, .gif, .png, .tif, .tiff or .vlm");
  }
  SaveOptions options;
  options.jpeg_quality = kDefaultJpegQuality;
  options.gif_depth = GifDepth::kAuto;
  if (const auto quality = args.Value("--quality")) {
    if (*kind != CardFileKind::kJpeg) return BadUsage(kName, "--quality is for JPEG output only");
    const std::optional<int> q = ParseInt(*quality, 1, 100);
    if (!q) return BadUsage(kName, "bad quality '" + *quality + "': expected 1..100");
    options.jpeg_quality = *q;
  }

  CardDocument doc;
  OpenCard(doc, input);
  if (*kind == CardFileKind::kProject) {
    WriteFlatProject(doc, output);
  } else {
    WriteCard(doc, output, *kind, options);
  }
  return 0;
}

}  // namespace

extern const ToolCommand kRenderCommand{
    kName, "FILE OUT [--quality N]",
    "Writes the flattened card in the format of OUT's extension (bmp jpg gif png tif vlm).",
    RunRender};

}  // namespace velmora::tool
