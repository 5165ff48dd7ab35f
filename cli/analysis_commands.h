// The subcommands that look at taps rather than pictures: the frequency
// response of a Config line, and the design of taps from a cutoff.
#pragma once

namespace CLI {
class App;
}

namespace quorrel {

void AddResponseCommand(CLI::App& app);
void AddDesignCommand(CLI::App& app);

}  // namespace quorrel
