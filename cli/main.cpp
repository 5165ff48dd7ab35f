// quorrel: runs the filter core on PNG pictures and raw BGRA streams, and
// reads and writes the Config line that the module saves.
#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <exception>
#include <new>

#include "cli/analysis_commands.h"
#include "cli/commands.h"
#include "cli/tool_error.h"

int main(int argc, char** argv) {
    // A reader that goes away should end the run with a write error and
    // a message, not a silent signal.
    std::signal(SIGPIPE, SIG_IGN);

    CLI::App app{"Runs the Quorrel row filter on pictures and raw video frames.\n"
                 "Exit status: 0 done, 1 bad data or I/O, 2 bad usage."};
    app.name("quorrel");
    app.require_subcommand(1);
    quorrel::AddRunCommand(app);
    quorrel::AddLineCommand(app);
    quorrel::AddShowCommand(app);
    quorrel::AddSampleCommand(app);
    quorrel::AddResponseCommand(app);
    quorrel::AddDesignCommand(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return quorrel::kExitUsage;
    } catch (const quorrel::ToolError& e) {
        std::fprintf(stderr, "quorrel: %s\n", e.what());
        return e.exit_code();
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "quorrel: out of memory\n");
        return quorrel::kExitBadData;
    }
    return quorrel::kExitOk;
}
