// The fourteen tap boxes of the settings dialog, for the commands that show
// and read taps as the dialog does.
#pragma once

#include <string>

#include "processing/instance.h"

namespace quorrel {

// Reads one box's text as the dialog does on OK: its first 9 characters
// through ParseCoefficient.
Tap ReadBoxText(const std::string& text);

// The taps as the dialog shows them: two groups, Y and UV, each with an
// a-row of a[2]..a[4] standing above b[2]..b[4] and a b-row of b[1]..b[4],
// every tap as FormatCoefficient writes it. Ends with a newline.
std::string DialogView(const InstanceData& instance);

// What pressing OK on an unchanged dialog stores: every shown tap read back
// from its text; a[1] keeps its value.
void PressOkUnchanged(InstanceData* instance);

}  // namespace quorrel
