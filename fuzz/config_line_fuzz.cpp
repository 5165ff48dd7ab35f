// The Config line as quorrel reads it from the command line: any text is
// either refused with a message, leaving the instance as it was, or gives
// the eight integers written in it, which the module's writer turns back
// into a line that reads the same. Taps written and read back survive
// exactly, and the writer never writes past the buffer it is given.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/config_line.h"
#include "cli/tool_error.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "settings/script_line.h"

namespace quorrel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every signed decimal written in the text: each run of digits, with the
// sign that stands right before it.
std::vector<int64_t> WrittenIntegers(const std::string& text) {
    std::vector<int64_t> values;
    for (size_t i = 0; i < text.size();) {
        if (!IsDigit(text[i])) {
            ++i;
            continue;
        }
        const bool negative = i > 0 && text[i - 1] == '-';
        int64_t magnitude = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            if (magnitude <= 10000000000LL) magnitude = magnitude * 10 + (text[i] - '0');
        values.push_back(negative ? -magnitude : magnitude);
    }
    return values;
}

bool SameTaps(const InstanceData& a, const InstanceData& b) {
    const FilterTaps x = TapsOf(a);
    const FilterTaps y = TapsOf(b);
    return std::memcmp(&x, &y, sizeof x) == 0;
}

InstanceData InstanceWithTaps(FuzzInput& input) {
    InstanceData instance;
    InitInstance(&instance);
    CoefficientSet* sets[] = {&instance.y_a, &instance.y_b, &instance.uv_a, &instance.uv_b};
    for (CoefficientSet* set : sets)
        for (Tap& tap : set->tap) tap = input.Int16();
    return instance;
}

void CheckLine(const std::string& line, const InstanceData& before) {
    InstanceData instance = before;
    try {
        ApplyConfigLine(line, &instance);
    } catch (const ToolError& error) {
        FUZZ_CHECK(error.exit_code() == kExitUsage, "line \"%s\" failed with code %d", line.c_str(),
                   error.exit_code());
        FUZZ_CHECK(std::strlen(error.what()) > 0, "line \"%s\" refused without a message",
                   line.c_str());
        FUZZ_CHECK(SameTaps(instance, before), "refused line \"%s\" changed the taps", line.c_str());
        return;
    }

    const ScriptArguments packed = PackScriptArguments(instance);
    const std::vector<int64_t> written = WrittenIntegers(line);
    FUZZ_CHECK(written.size() == 8, "accepted line \"%s\" holds %zu integers", line.c_str(),
               written.size());
    for (int i = 0; i < 8; ++i)
        FUZZ_CHECK(packed.value[i] == written[i], "line \"%s\": argument %d reads as %d", line.c_str(),
                   i + 1, packed.value[i]);

    const std::string rewritten = ConfigLineOf(instance);
    FUZZ_CHECK(rewritten.size() <= kLongestScriptLine, "line \"%s\" rewrites as \"%s\"",
               line.c_str(), rewritten.c_str());
    ScriptArguments reread;
    const std::string problem = ReadScriptLine(rewritten.c_str(), &reread);
    FUZZ_CHECK(problem.empty(), "rewritten line \"%s\" is refused: %s", rewritten.c_str(),
               problem.c_str());
    FUZZ_CHECK(std::memcmp(&reread, &packed, sizeof packed) == 0,
               "line \"%s\" rewrites as \"%s\", which reads differently", line.c_str(),
               rewritten.c_str());
}

void CheckWriteAndRestore(const InstanceData& original, FuzzInput& input) {
    // Exactly sized, so that a write past `length` is caught.
    const size_t length = input.Between(0, kLongestScriptLine + 9);
    std::unique_ptr<char[]> buffer(new char[length == 0 ? 1 : length]);
    std::memset(buffer.get(), '#', length == 0 ? 1 : length);
    const bool whole = WriteScriptLine(original, buffer.get(), length);
    const std::string line = ConfigLineOf(original);
    if (whole) {
        FUZZ_CHECK(line.size() < length && std::strcmp(buffer.get(), line.c_str()) == 0,
                   "a %zu-byte buffer got a different line than \"%s\"", length, line.c_str());
    } else {
        FUZZ_CHECK(line.size() >= length, "a %zu-byte buffer was refused for \"%s\"", length,
                   line.c_str());
        FUZZ_CHECK(length == 0 || buffer[0] == '\0', "a %zu-byte buffer kept a cut line", length);
    }

    InstanceData restored;
    InitInstance(&restored);
    ApplyConfigLine(line, &restored);
    FUZZ_CHECK(SameTaps(restored, original), "\"%s\" does not restore its taps", line.c_str());
    const ScriptArguments packed = PackScriptArguments(original);
    InitInstance(&restored);
    ScriptConfig(&restored, packed.value);
    FUZZ_CHECK(SameTaps(restored, original), "the packed arguments do not restore the taps");
}

}  // namespace
}  // namespace quorrel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A command-line argument ends at the first NUL.
    const char* text = reinterpret_cast<const char*>(data);
    const std::string line(text, strnlen(text, size));

    // The same bytes, read from the end, as the taps the instance holds
    // before the line and as taps to write and read back.
    std::vector<uint8_t> reversed(data, data + size);
    std::reverse(reversed.begin(), reversed.end());
    quorrel::FuzzInput input(reversed.data(), reversed.size());
    const quorrel::InstanceData taps = quorrel::InstanceWithTaps(input);
    quorrel::CheckLine(line, taps);
    quorrel::CheckWriteAndRestore(taps, input);
    return 0;
}
