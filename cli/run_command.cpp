// quorrel run: filters a PNG picture or a raw BGRA stream.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "analysis/stability_warning.h"
#include "cli/bgra_image.h"
#include "cli/commands.h"
#include "cli/config_line.h"
#include "cli/frame_file.h"
#include "cli/frame_runner.h"
#include "cli/frame_size.h"
#include "cli/input_source.h"
#include "cli/output_sink.h"
#include "cli/png_codec.h"
#include "cli/progress_meter.h"
#include "cli/raw_frame_reader.h"
#include "cli/stream_filter.h"
#include "cli/tool_error.h"
#include "processing/instance.h"
#include "cpu_choice/cpu_choice.h"

namespace quorrel {
namespace {

struct RunOptions {
    std::string input;
    std::string output;
    std::string config;  // empty: the defaults
    std::string size;    // empty: not given
    int threads = 1;
    std::string cpu;     // kernel level; empty: QUORREL_CPU, else the CPU's best
};

int DefaultThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

// The taps every frame of the run is filtered with.
InstanceData RunTaps(const RunOptions& options) {
    InstanceData taps;
    InitInstance(&taps);
    if (!options.config.empty()) ApplyConfigLine(options.config, &taps);
    return taps;
}

void FilterPicture(const RunOptions& options, const InstanceData& taps, OutputSink& output) {
    InputSource input(options.input);
    const BgraImage picture = DecodePng(input.ReadAll(), input.name());
    BgraImage filtered;
    filtered.size = picture.size;
    filtered.pixels.resize(picture.pixels.size());
    FrameRunner runner(taps, picture.size, options.threads);
    runner.Run(picture.pixels.data(), filtered.pixels.data());
    WriteFrame(output, filtered, IsPngPath(options.output));
}

// A raw stream into a PNG: the PNG holds one frame, so the stream must too.
void FilterSingleFrame(const RunOptions& options, const InstanceData& taps, FrameSize size,
                       OutputSink& output) {
    InputSource input(options.input);
    const size_t frame_bytes = FrameByteCount(size);
    BgraImage frame;
    frame.size = size;
    frame.pixels.resize(frame_bytes);
    RawFrameReader reader(input, frame_bytes);
    const FrameReadResult first = reader.Read(frame.pixels.data());
    if (first.status == FrameReadResult::kEnd)
        throw ToolError(kExitBadData, input.name() + " holds no frame");
    if (first.status == FrameReadResult::kShort)
        throw ToolError(kExitBadData, ShortFrameMessage(input.name(), 1, first.bytes, frame_bytes));
    uint8_t probe;
    if (input.ReadUpTo(&probe, 1) != 0)
        throw ToolError(kExitBadData, output.name() + " holds one picture, but " + input.name() +
                                          " has more than one frame");
    BgraImage filtered;
    filtered.size = size;
    filtered.pixels.resize(frame_bytes);
    FrameRunner runner(taps, size, options.threads);
    runner.Run(frame.pixels.data(), filtered.pixels.data());
    WriteFrame(output, filtered, true);
}

void FilterStream(const RunOptions& options, const InstanceData& taps, FrameSize size,
                  OutputSink& output) {
    InputSource input(options.input);
    const size_t frame_bytes = FrameByteCount(size);
    FrameRunner runner(taps, size, options.threads);
    ProgressMeter progress(true);
    FilterRawStream(input, output, runner, frame_bytes, progress);
}

void Run(const RunOptions& options) {
    const CpuChoice cpu = ApplyCpuChoice(options.cpu.c_str());
    if (!cpu.ok) throw ToolError(kExitUsage, cpu.error);
    const bool picture_in = IsPngPath(options.input);
    if (picture_in && !options.size.empty())
        throw ToolError(kExitUsage, "--size is for raw streams; " + options.input + " carries its own size");
    if (!picture_in && options.size.empty())
        throw ToolError(kExitUsage, "a raw stream needs --size WxH (" + options.input +
                                        " is not a .png file)");
    const FrameSize size = picture_in ? FrameSize{0, 0} : ParseFrameSize(options.size);
    const InstanceData taps = RunTaps(options);
    const std::string unstable = UnstableTapsWarning(TapsOf(taps));
    if (!unstable.empty()) std::fprintf(stderr, "quorrel: %s\n", unstable.c_str());

    OutputSink output(options.output);
    if (picture_in)
        FilterPicture(options, taps, output);
    else if (IsPngPath(options.output))
        FilterSingleFrame(options, taps, size, output);
    else
        FilterStream(options, taps, size, output);
    output.Commit();
}

}  // namespace

void AddRunCommand(CLI::App& app) {
    auto options = std::make_shared<RunOptions>();
    options->threads = DefaultThreads();
    CLI::App* run = app.add_subcommand(
        "run",
        "Filter IN into OUT. A .png file is one picture; anything else, \"-\" for standard "
        "input or output included, is a raw stream of top-down BGRA frames and needs --size.");
    run->add_option("IN", options->input, "input: a .png file, a raw stream file, or - for standard input")
        ->required();
    run->add_option("OUT", options->output, "output: a .png file, a raw stream file, or - for standard output")
        ->required();
    run->add_option("--config", options->config,
                    "taps as the module's script line, e.g. \"Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)\"; "
                    "default: identity");
    run->add_option("--size", options->size, "frame size WxH of a raw stream, e.g. 1920x1080");
    run->add_option("--threads", options->threads, "threads that share each frame's rows (default: one per core)")
        ->check(CLI::Range(1, 1024));
    run->add_option("--cpu", options->cpu,
                    "kernel level: reference, sse2 or avx2 (default: $QUORREL_CPU, else the best "
                    "this CPU runs)");
    run->callback([options] { Run(*options); });
}

}  // namespace quorrel
