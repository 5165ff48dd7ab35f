// quorrel sample: writes the built-in test picture.
#include <CLI/CLI.hpp>

#include <memory>
#include <string>

#include "cli/commands.h"
#include "cli/frame_file.h"
#include "cli/output_sink.h"
#include "cli/sample_picture.h"

namespace quorrel {
namespace {

void WriteSample(const std::string& path) {
    OutputSink output(path);
    WriteFrame(output, MakeSamplePicture(), IsPngPath(path));
    output.Commit();
}

}  // namespace

void AddSampleCommand(CLI::App& app) {
    auto path = std::make_shared<std::string>();
    CLI::App* sample = app.add_subcommand(
        "sample",
        "Write the built-in 480x320 test picture to OUT: a PNG for a .png path, otherwise one "
        "raw BGRA frame (- for standard output).");
    sample->add_option("OUT", *path, "output file, or - for standard output")->required();
    sample->callback([path] { WriteSample(*path); });
}

}  // namespace quorrel
