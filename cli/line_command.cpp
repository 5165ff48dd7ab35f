// quorrel line: the Config line for taps typed as the dialog's box texts.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/config_line.h"
#include "cli/dialog_boxes.h"
#include "cli/tool_error.h"
#include "processing/instance.h"

namespace quorrel {
namespace {

struct LineOptions {
    std::string y_a, y_b, uv_a, uv_b;  // empty: keep the default taps
};

// Fills taps first..3 of `set` from comma-separated box texts, exactly
// 4 - first of them.
void ReadBoxes(const std::string& option, const std::string& texts, int first, CoefficientSet* set) {
    if (texts.empty()) return;
    std::vector<std::string> boxes(1);
    for (char c : texts) {
        if (c == ',')
            boxes.emplace_back();
        else
            boxes.back() += c;
    }
    const size_t wanted = static_cast<size_t>(4 - first);
    if (boxes.size() != wanted)
        throw ToolError(kExitUsage, option + " takes " + std::to_string(wanted) +
                                        " taps separated by commas, not \"" + texts + "\"");
    for (size_t k = 0; k < wanted; ++k) set->tap[first + k] = ReadBoxText(boxes[k]);
}

void PrintLine(const LineOptions& options) {
    InstanceData instance;
    InitInstance(&instance);
    ReadBoxes("--y-a", options.y_a, 1, &instance.y_a);
    ReadBoxes("--y-b", options.y_b, 0, &instance.y_b);
    ReadBoxes("--uv-a", options.uv_a, 1, &instance.uv_a);
    ReadBoxes("--uv-b", options.uv_b, 0, &instance.uv_b);
    std::printf("%s\n", ConfigLineOf(instance).c_str());
}

}  // namespace

void AddLineCommand(CLI::App& app) {
    auto options = std::make_shared<LineOptions>();
    CLI::App* line = app.add_subcommand(
        "line",
        "Print the Config line for taps given as decimal texts, each read as the settings "
        "dialog reads a box. Groups left out keep a new instance's taps (identity).");
    line->add_option("--y-a", options->y_a, "Y a[2],a[3],a[4]");
    line->add_option("--y-b", options->y_b, "Y b[1],b[2],b[3],b[4]");
    line->add_option("--uv-a", options->uv_a, "UV a[2],a[3],a[4]");
    line->add_option("--uv-b", options->uv_b, "UV b[1],b[2],b[3],b[4]");
    line->callback([options] { PrintLine(*options); });
}

}  // namespace quorrel
