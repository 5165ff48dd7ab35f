// PNG pictures in and out of BGRA frames.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/bgra_image.h"

namespace quorrel {

// Decodes a PNG of any colour type and bit depth into a BGRA frame: 16-bit
// samples keep their high byte, grey is spread to all three colours, a
// palette is looked up, and alpha is dropped (byte 3 is 0). No gamma or
// colour-profile conversion. Throws ToolError(kExitBadData) naming `name`
// and the problem for data that is not a readable PNG.
BgraImage DecodePng(const std::vector<uint8_t>& file, const std::string& name);

// Encodes the frame as an 8-bit RGB PNG; byte 3 of each pixel is ignored.
std::vector<uint8_t> EncodePng(const BgraImage& image);

}  // namespace quorrel
