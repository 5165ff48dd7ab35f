// Filters a raw stream frame by frame, reading the next frame and writing
// the last one while the current one is filtered.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cli/frame_runner.h"
#include "cli/input_source.h"
#include "cli/output_sink.h"
#include "cli/progress_meter.h"

namespace quorrel {

// Runs every frame of `input` (back-to-back frames of `frame_bytes`, the
// size `runner` was built for) through `runner` into `output`, in order.
// Returns the number of frames. A stream that ends inside a frame throws
// ToolError(kExitBadData) with ShortFrameMessage, after every whole frame
// before it was written. Read and write errors throw as well.
int64_t FilterRawStream(InputSource& input, OutputSink& output, FrameRunner& runner,
                        size_t frame_bytes, ProgressMeter& progress);

}  // namespace quorrel
