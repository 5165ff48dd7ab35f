#include "cli/config_line.h"

#include "cli/tool_error.h"
#include "settings/script_line.h"

namespace quorrel {

void ApplyConfigLine(const std::string& line, InstanceData* instance) {
    ScriptArguments arguments;
    const std::string problem = ReadScriptLine(line.c_str(), &arguments);
    if (!problem.empty()) throw ToolError(kExitUsage, "bad Config line \"" + line + "\": " + problem);
    ScriptConfig(instance, arguments.value);
}

std::string ConfigLineOf(const InstanceData& instance) {
    char buffer[kLongestScriptLine + 1];
    WriteScriptLine(instance, buffer, sizeof buffer);
    return buffer;
}

}  // namespace quorrel
