// Which form a file argument takes: a path ending in .png is one PNG
// picture, anything else (standard input and output included) raw frames.
#pragma once

#include <string>

#include "cli/bgra_image.h"
#include "cli/output_sink.h"

namespace quorrel {

// True for a path ending in ".png", in any letter case.
bool IsPngPath(const std::string& path);

// Writes the frame to `output` as a PNG when `as_png`, else as raw BGRA
// bytes. Does not commit.
void WriteFrame(OutputSink& output, const BgraImage& frame, bool as_png);

}  // namespace quorrel
