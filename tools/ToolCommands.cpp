#include "ToolCommand.h"

namespace velmora::tool {

// Each command lives in its own file (Tool<Name>.cpp) and adds its row here.
extern const ToolCommand kInfoCommand;
extern const ToolCommand kRenderCommand;
extern const ToolCommand kThumbnailCommand;
extern const ToolCommand kApplyCommand;

namespace {

const ToolCommand kCommands[] = {
    kInfoCommand,
    kRenderCommand,
    kThumbnailCommand,
    kApplyCommand,
};

}  // namespace

std::span<const ToolCommand> Commands() { return kCommands; }

}  // namespace velmora::tool
