#pragma once

// What the card commands of velmora-tool share: reading their command lines, reporting bad
// usage (exit code 2, with the command's usage line), and opening a card from a file.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/CardDocument.h"

namespace velmora::tool {

inline constexpr int kExitBadUsage = 2;

// An option a command takes: its name ("--json", "-s"), another spelling or "" ("--size"), and
// whether a value follows it ("-s 256", "--size=256").
struct OptionSpec {
  std::string_view name;
  std::string_view alias;
  bool takes_value;
};

struct ParsedArguments {
  std::vector<std::pair<std::string_view, std::string>> options;  // (name, value) as given
  std::vector<std::string> operands;
  bool help = false;  // -h or --help was given
  std::string error;  // not empty when the words do not fit the options

  bool Has(std::string_view name) const;
  // The value of the last occurrence of the option.
  std::optional<std::string> Value(std::string_view name) const;
};

// Options may stand anywhere among the operands; "--" ends them.
ParsedArguments ParseArguments(std::span<const std::string> words,
                               std::span<const OptionSpec> options);

// The whole text as a decimal integer within [low, high].
std::optional<int> ParseInt(std::string_view text, int low, int high);

// Writes "velmora-tool: <message>" and the command's usage line to standard error; returns
// kExitBadUsage.
int BadUsage(std::string_view command, std::string_view message);
// Writes the command's usage line, its summary and `details` to standard output; returns 0.
int CommandHelp(std::string_view command, std::string_view details);

// The file name's extension with its dot, in lower case ("" when there is none).
std::string LowerCaseExtensionOf(const std::string& path);
// True for a name that ends in ".vlm" in any letter case: the desktop's file type for projects
// matches any case, so the tool reads such a file as a project whatever its spelling.
bool IsProjectFileName(const std::string& path);

// Replaces the card by the file: a project with its layers, any other file as a picture.
// Throws Error.
void OpenCard(CardDocument& doc, const std::string& path);

}  // namespace velmora::tool
