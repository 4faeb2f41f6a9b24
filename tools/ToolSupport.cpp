#include "ToolSupport.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "ToolCommand.h"
#include "files/CardFiles.h"
#include "files/ProjectFile.h"

namespace velmora::tool {
namespace {

const ToolCommand* FindCommand(std::string_view name) {
  for (const ToolCommand& c : Commands()) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

void PrintUsageLine(FILE* out, std::string_view command) {
  const ToolCommand* c = FindCommand(command);
  const std::string_view usage = c ? c->usage : std::string_view();
  std::fprintf(out, "Usage: velmora-tool %.*s %.*s\n", int(command.size()), command.data(),
               int(usage.size()), usage.data());
}

const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view word) {
  for (const OptionSpec& o : options) {
    if (word == o.name || (!o.alias.empty() && word == o.alias)) return &o;
  }
  return nullptr;
}

}  // namespace

bool ParsedArguments::Has(std::string_view name) const {
  return std::any_of(options.begin(), options.end(),
                     [&](const auto& o) { return o.first == name; });
}

std::optional<std::string> ParsedArguments::Value(std::string_view name) const {
  for (auto it = options.rbegin(); it != options.rend(); ++it) {
    if (it->first == name) return it->second;
  }
  return std::nullopt;
}

ParsedArguments ParseArguments(std::span<const std::string> words,
                               std::span<const OptionSpec> options) {
  ParsedArguments parsed;
  bool operands_only = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (operands_only || word.size() < 2 || word[0] != '-') {
      parsed.operands.push_back(word);
      continue;
    }
    if (word == "--") {
      operands_only = true;
      continue;
    }
    if (word == "-h" || word == "--help") {
      parsed.help = true;
      continue;
    }
    // "--name=value" for options that take a value.
    const size_t equals = word.starts_with("--") ? word.find('=') : std::string::npos;
    const std::string_view spelled = std::string_view(word).substr(0, equals);
    const OptionSpec* spec = FindOption(options, spelled);
    if (!spec) {
      parsed.error = "unknown option '" + std::string(spelled) + "'";
      return parsed;
    }
    if (!spec->takes_value) {
      if (equals != std::string::npos) {
        parsed.error = "option '" + std::string(spelled) + "' takes no value";
        return parsed;
      }
      parsed.options.emplace_back(spec->name, "");
    } else if (equals != std::string::npos) {
      parsed.options.emplace_back(spec->name, word.substr(equals + 1));
    } else if (i + 1 < words.size()) {
      parsed.options.emplace_back(spec->name, words[++i]);
    } else {
      parsed.error = "option '" + std::string(spelled) + "' needs a value";
      return parsed;
    }
  }
  return parsed;
}

std::optional<int> ParseInt(std::string_view text, int low, int high) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

int BadUsage(std::string_view command, std::string_view message) {
  std::fprintf(stderr, "velmora-tool: %.*s\n", int(message.size()), message.data());
  PrintUsageLine(stderr, command);
  std::fprintf(stderr, "Try 'velmora-tool %.*s --help' for more information.\n",
               int(command.size()), command.data());
  return kExitBadUsage;
}

int CommandHelp(std::string_view command, std::string_view details) {
  PrintUsageLine(stdout, command);
  if (const ToolCommand* c = FindCommand(command)) {
    std::printf("%.*s\n", int(c->summary.size()), c->summary.data());
  }
  std::printf("\n%.*s", int(details.size()), details.data());
  return 0;
}

std::string LowerCaseExtensionOf(const std::string& path) {
  std::string extension = ExtensionOf(path);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

bool IsProjectFileName(const std::string& path) { return LowerCaseExtensionOf(path) == ".vlm"; }

void OpenCard(CardDocument& doc, const std::string& path) {
  if (IsProjectFileName(path)) {
    LoadProject(doc, path);
    return;
  }
  OpenCardFile(doc, path);
}

}  // namespace velmora::tool
