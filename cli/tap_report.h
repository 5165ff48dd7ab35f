// Text and pictures about an instance's taps, shared by `response` and
// `design`.
#pragma once

#include <string>

#include "processing/instance.h"

namespace quorrel {

// The response summary of both channel groups, Y first.
std::string ResponseReport(const InstanceData& instance);

// What opening the dialog and pressing OK without edits would do: one line
// when every tap survives; otherwise the taps that move, then the response
// of each group that changed.
std::string DialogOkReport(const InstanceData& instance);

// Throws ToolError(kExitUsage) unless `path` is empty or names a .png or
// .svg file, so a command can refuse a bad name before any work.
void CheckPlotName(const std::string& path);

// Writes the combined responses of both groups to a .png or .svg file.
// Throws ToolError(kExitBadData) when the file cannot be written, or
// ToolError(kExitUsage) for another extension.
void WritePlot(const std::string& path, const InstanceData& instance);

}  // namespace quorrel
