#include "ToolCommand.h"

namespace velmora::tool {

// Each command lives in its own file (Tool<Name>.cpp) and adds its row here.
std::span<const ToolCommand> Commands() { return {}; }

}  // namespace velmora::tool
