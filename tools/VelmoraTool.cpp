// velmora-tool: Velmora's command-line entry point for batch work on cards and pictures.

#include <cstdio>
#include <cstring>
#include <string>

#include "graphics/Error.h"

namespace {

constexpr const char* kUsage =
    "Usage: velmora-tool COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on Velmora cards (.vlm) and pictures from the command line.\n"
    "\n"
    "Options:\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

int Usage(FILE* out, int code) {
  std::fputs(kUsage, out);
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage(stderr, 2);
  const std::string command = argv[1];
  try {
    if (command == "--help" || command == "-h" || command == "help") return Usage(stdout, 0);
    if (command == "--version") {
      std::printf("velmora-tool %s\n", VELMORA_VERSION);
      return 0;
    }
    std::fprintf(stderr, "velmora-tool: unknown command '%s'\n\n", command.c_str());
    return Usage(stderr, 2);
  } catch (const velmora::Error& e) {
    std::fprintf(stderr, "velmora-tool: %s\n", e.what());
    return 1;
  }
}
