// The Config script line on the command line.
#pragma once

#include <string>

#include "processing/instance.h"

namespace quorrel {

// Reads `line` as the module writes it and puts its sixteen taps into
// `instance`, as running the saved script would. Throws
// ToolError(kExitUsage) naming the problem when the line is malformed; the
// instance is then unchanged.
void ApplyConfigLine(const std::string& line, InstanceData* instance);

// The line the module would write for the instance's taps.
std::string ConfigLineOf(const InstanceData& instance);

}  // namespace quorrel
