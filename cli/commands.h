// The subcommands of the quorrel tool. Each adds itself to the app; its
// callback throws ToolError to fail with a message and an exit code.
#pragma once

namespace CLI {
class App;
}

namespace quorrel {

void AddRunCommand(CLI::App& app);
void AddLineCommand(CLI::App& app);
void AddShowCommand(CLI::App& app);
void AddSampleCommand(CLI::App& app);

}  // namespace quorrel
