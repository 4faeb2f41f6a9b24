// velmora-tool: Velmora's command-line entry point for batch work on cards and pictures.

#include <cstdio>
#include <string>
#include <vector>

#include "ToolCommand.h"
#include "graphics/Error.h"

namespace {

using velmora::tool::Commands;

int Usage(FILE* out, int code) {
  std::fputs(
      "Usage: velmora-tool COMMAND [ARGUMENTS]\n"
      "\n"
      "Works on Velmora cards (.vlm) and pictures from the command line.\n"
      "\n"
      "Commands:\n",
      out);
  for (const auto& c : Commands()) {
    std::fprintf(out, "  %.*s %.*s\n      %.*s\n", int(c.name.size()), c.name.data(),
                 int(c.usage.size()), c.usage.data(), int(c.summary.size()), c.summary.data());
  }
  std::fputs(
      "\n"
      "Options:\n"
      "  --help       show this help and exit\n"
      "  --version    show the version and exit\n",
      out);
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(stderr, 2);
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") return Usage(stdout, 0);
  if (command == "--version") {
    std::printf("velmora-tool %s\n", VELMORA_VERSION);
    return 0;
  }
  const std::vector<std::string> arguments(argv + 2, argv + argc);
  for (const auto& c : Commands()) {
    if (c.name != command) continue;
    try {
      return c.run(arguments);
    } catch (const velmora::Error& e) {
      std::fprintf(stderr, "velmora-tool: %s\n", e.what());
      return 1;
    }
  }
  std::fprintf(stderr, "velmora-tool: unknown command '%s'\n\n", command.c_str());
  return Usage(stderr, 2);
}
