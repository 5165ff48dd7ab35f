// quorrel design: Butterworth taps for a cutoff, as a Config line.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

#include "analysis/butterworth.h"
#include "analysis/dialog_safe.h"
#include "analysis/quantise.h"
#include "cli/analysis_commands.h"
#include "cli/config_line.h"
#include "cli/dialog_boxes.h"
#include "cli/tap_report.h"
#include "cli/tool_error.h"
#include "processing/instance.h"

namespace quorrel {
namespace {

// Misses smaller than this fraction of the pass band go unmentioned.
constexpr double kNotableCutoffError = 0.02;

struct DesignOptions {
    std::string type;
    double cutoff = 0.0;
    int order = 2;
    std::string groups = "both";
    std::string base;  // empty: a new instance's taps
    bool dialog_safe = false;
    std::string plot;
};

std::string Describe(const DesignRequest& request) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "Butterworth %s, order %d: -3 dB at %g cycles per pixel after both passes "
                  "(one pass: -3 dB at %.4f)",
                  request.type == PassType::kLowPass ? "low-pass" : "high-pass", request.order,
                  request.cutoff, SinglePassCutoff(request));
    return text;
}

void Design(const DesignOptions& options) {
    CheckPlotName(options.plot);
    const DesignRequest request{options.type == "lowpass" ? PassType::kLowPass : PassType::kHighPass,
                               options.order, options.cutoff};
    const std::string problem = CheckRequest(request);
    if (!problem.empty()) throw ToolError(kExitUsage, problem);
    InstanceData instance;
    InitInstance(&instance);
    if (!options.base.empty()) ApplyConfigLine(options.base, &instance);

    const TapFilter design = DesignButterworth(request);
    const QuantisedDesign taps =
        options.dialog_safe ? DialogSafeDesign(design, request) : QuantiseDesign(design, request);
    if (!taps.refusal.empty()) throw ToolError(kExitBadData, "design refused: " + taps.refusal);
    if (options.groups != "chroma") {
        instance.y_a = taps.a;
        instance.y_b = taps.b;
    }
    if (options.groups != "luma") {
        instance.uv_a = taps.a;
        instance.uv_b = taps.b;
    }

    std::printf("%s\n%s\n\n%s\n", Describe(request).c_str(), ConfigLineOf(instance).c_str(),
                DialogView(instance).c_str());
    std::printf("%s", ResponseReport(instance).c_str());
    const char* pass_end = request.type == PassType::kLowPass ? "DC" : "Nyquist";
    if (!taps.gain_exact)
        std::printf("note: no nearby taps give a gain of exactly 1 at %s\n", pass_end);
    double crossing;
    if (CutoffError(request, taps.a, taps.b, &crossing) > kNotableCutoffError)
        std::printf("note: the rounded taps put -3 dB at %.4f, not %g\n", crossing, request.cutoff);
    std::printf("%s", DialogOkReport(instance).c_str());
    if (!options.plot.empty()) {
        WritePlot(options.plot, instance);
        std::printf("Plot written to %s\n", options.plot.c_str());
    }
}

}  // namespace

void AddDesignCommand(CLI::App& app) {
    auto options = std::make_shared<DesignOptions>();
    CLI::App* design = app.add_subcommand(
        "design",
        "Design Butterworth taps for a cutoff and print their Config line, dialog texts and "
        "response. The cutoff is where the filter's two passes together are 3 dB down.");
    design->add_option("TYPE", options->type, "lowpass or highpass")
        ->required()
        ->check(CLI::IsMember({"lowpass", "highpass"}));
    design->add_option("--cutoff", options->cutoff,
                       "-3 dB point after both passes, in cycles per pixel (0 < F < 0.5)")
        ->required();
    design->add_option("--order", options->order, "1, 2 or 3 (default 2)")->check(CLI::Range(1, 3));
    design->add_option("--for", options->groups, "luma, chroma or both (default both)")
        ->check(CLI::IsMember({"luma", "chroma", "both"}));
    design->add_option("--base", options->base,
                       "a Config line whose taps the groups not designed keep (default: identity)");
    design->add_flag("--dialog-safe", options->dialog_safe,
                     "use only taps that pressing OK in the settings dialog leaves unchanged");
    design->add_option("--plot", options->plot,
                       "also draw both magnitude responses into this .png or .svg file");
    design->callback([options] { Design(*options); });
}

}  // namespace quorrel
