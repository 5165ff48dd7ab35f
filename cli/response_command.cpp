// quorrel response: what a Config line's taps do to the frequencies of a row.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/analysis_commands.h"
#include "cli/config_line.h"
#include "cli/tap_report.h"
#include "processing/instance.h"

namespace quorrel {
namespace {

struct ResponseOptions {
    std::string line;
    std::string plot;  // empty: no picture
};

void Respond(const ResponseOptions& options) {
    CheckPlotName(options.plot);
    InstanceData instance;
    InitInstance(&instance);
    ApplyConfigLine(options.line, &instance);
    std::printf("%s%s", ResponseReport(instance).c_str(), DialogOkReport(instance).c_str());
    if (!options.plot.empty()) {
        WritePlot(options.plot, instance);
        std::printf("Plot written to %s\n", options.plot.c_str());
    }
}

}  // namespace

void AddResponseCommand(CLI::App& app) {
    auto options = std::make_shared<ResponseOptions>();
    CLI::App* response = app.add_subcommand(
        "response",
        "Print the frequency response of a Config line's Y and UV taps as the filter applies "
        "them (forward then backward pass): gains at DC and Nyquist, -3 dB and -6 dB points, "
        "peak, poles and stability, and what pressing OK in the dialog would change.");
    response->add_option("LINE", options->line, "a Config line, e.g. \"Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)\"")
        ->required();
    response->add_option("--plot", options->plot,
                         "also draw both magnitude responses (dB against cycles per pixel) into "
                         "this .png or .svg file");
    response->callback([options] { Respond(*options); });
}

}  // namespace quorrel
