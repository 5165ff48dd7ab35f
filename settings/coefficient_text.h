// The decimal text form of a Q10 tap, as the settings dialog shows and reads it.
#pragma once

#include "processing/coefficients.h"

namespace quorrel {

// Reads the number at the start of `text` (a NUL-terminated string) and
// returns it as a Q10 tap, rounded half up in 1/1024 steps and clamped to
// -16384..16383. Text without a number gives 0. Never fails; independent of
// the C locale.
Tap ParseCoefficient(const char* text);

// The two-decimal text of a tap: at most 6 characters plus the terminator.
struct CoefficientText {
    char text[8];
};

// "%.2f" of tap / 1024 with exact ties rounded away from zero, by an integer
// rule; a negative tap keeps its "-" even when it shows as zero.
CoefficientText FormatCoefficient(Tap tap);

}  // namespace quorrel
