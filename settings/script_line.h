// The Config script line that saves and restores an instance's taps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "processing/instance.h"

namespace quorrel {

// Eight signed 32-bit arguments, each carrying two taps: the first in the
// upper 16 bits, the second in the lower 16 bits as an unsigned field.
// In order: Y a[1]a[2], Y a[3]a[4], Y b[1]b[2], Y b[3]b[4], then the same
// four for UV.
struct ScriptArguments {
    int32_t value[8];
};

// Eight values of at most 11 characters each, separators and frame: 110
// characters, plus the terminator.
constexpr size_t kLongestScriptLine = 110;

ScriptArguments PackScriptArguments(const InstanceData& instance);

// Writes "Config(%d, %d, %d, %d, %d, %d, %d, %d)" with the instance's
// packed taps into `buffer`, never more than `length` bytes. Returns true;
// a buffer too short for the whole line gets an empty string (when it has
// room for one) and false, since a cut line would break the saved script.
bool WriteScriptLine(const InstanceData& instance, char* buffer, size_t length);

// Unpacks the eight arguments into the instance's sixteen taps, a[1]
// included, with no range check beyond what 16 bits hold.
void ScriptConfig(InstanceData* instance, const int32_t arguments[8]);

// Reads a line as WriteScriptLine writes it: "Config(" eight signed 32-bit
// decimals separated by commas ")", spaces optional around every token.
// Returns an empty string on success, or a message that names the problem;
// `arguments` is written only on success.
std::string ReadScriptLine(const char* text, ScriptArguments* arguments);

}  // namespace quorrel
