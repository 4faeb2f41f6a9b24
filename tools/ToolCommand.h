#pragma once

// The commands of velmora-tool: each is a function over its arguments (the words after the
// command's name) returning the exit code; errors are thrown as velmora::Error and reported by
// main() with exit code 1.

#include <span>
#include <string>
#include <string_view>

namespace velmora::tool {

struct ToolCommand {
  std::string_view name;
  std::string_view usage;    // arguments, e.g. "FILE OUT"
  std::string_view summary;  // one line for --help
  int (*run)(std::span<const std::string> arguments);
};

// Every command, in the order --help lists them. Defined in ToolCommands.cpp.
std::span<const ToolCommand> Commands();

}  // namespace velmora::tool
