// quorrel show: the dialog's view of a Config line.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/config_line.h"
#include "cli/dialog_boxes.h"
#include "processing/instance.h"

namespace quorrel {
namespace {

void Show(const std::string& line) {
    InstanceData instance;
    InitInstance(&instance);
    ApplyConfigLine(line, &instance);
    std::printf("%s", DialogView(instance).c_str());
    PressOkUnchanged(&instance);
    std::printf("OK saves: %s\n", ConfigLineOf(instance).c_str());
}

}  // namespace

void AddShowCommand(CLI::App& app) {
    auto line = std::make_shared<std::string>();
    CLI::App* show = app.add_subcommand(
        "show",
        "Print the taps of a Config line as the settings dialog shows them, and the line that "
        "pressing OK without changes would save.");
    show->add_option("LINE", *line, "a Config line, e.g. \"Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)\"")
        ->required();
    show->callback([line] { Show(*line); });
}

}  // namespace quorrel
