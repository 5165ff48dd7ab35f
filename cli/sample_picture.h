// The built-in test picture: something to filter without bringing a file.
#pragma once

#include "cli/bgra_image.h"

namespace quorrel {

// A 480x320 picture with a hue sweep, colour bars with hard edges, a zone
// plate and line gratings for fine detail, grey ramps, and a colour disc
// on a contrasting ground. Always the same pixels.
BgraImage MakeSamplePicture();

}  // namespace quorrel
