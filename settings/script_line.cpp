#include "settings/script_line.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace quorrel {
namespace {

int32_t Pack(Tap first, Tap second) {
    const uint32_t bits = (static_cast<uint32_t>(static_cast<uint16_t>(first)) << 16) |
                          static_cast<uint16_t>(second);
    return static_cast<int32_t>(bits);
}

void Unpack(int32_t value, Tap* first, Tap* second) {
    const uint32_t bits = static_cast<uint32_t>(value);
    *first = static_cast<Tap>(static_cast<uint16_t>(bits >> 16));
    *second = static_cast<Tap>(static_cast<uint16_t>(bits & 0xFFFFu));
}

const CoefficientSet* SetsOf(const InstanceData& instance, int index) {
    const CoefficientSet* sets[4] = {&instance.y_a, &instance.y_b, &instance.uv_a,
                                     &instance.uv_b};
    return sets[index];
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) ++p;
    return p;
}

}  // namespace

ScriptArguments PackScriptArguments(const InstanceData& instance) {
    ScriptArguments out{};
    for (int set = 0; set < 4; ++set) {
        const CoefficientSet& s = *SetsOf(instance, set);
        out.value[2 * set] = Pack(s.tap[0], s.tap[1]);
        out.value[2 * set + 1] = Pack(s.tap[2], s.tap[3]);
    }
    return out;
}

bool WriteScriptLine(const InstanceData& instance, char* buffer, size_t length) {
    const ScriptArguments a = PackScriptArguments(instance);
    char line[kLongestScriptLine + 1];
    const int written =
        std::snprintf(line, sizeof line, "Config(%d, %d, %d, %d, %d, %d, %d, %d)",
                      static_cast<int>(a.value[0]), static_cast<int>(a.value[1]),
                      static_cast<int>(a.value[2]), static_cast<int>(a.value[3]),
                      static_cast<int>(a.value[4]), static_cast<int>(a.value[5]),
                      static_cast<int>(a.value[6]), static_cast<int>(a.value[7]));
    if (written < 0 || static_cast<size_t>(written) >= length) {
        if (length >= 1) buffer[0] = '\0';
        return false;
    }
    std::memcpy(buffer, line, static_cast<size_t>(written) + 1);
    return true;
}

void ScriptConfig(InstanceData* instance, const int32_t arguments[8]) {
    CoefficientSet* sets[4] = {&instance->y_a, &instance->y_b, &instance->uv_a,
                               &instance->uv_b};
    for (int set = 0; set < 4; ++set) {
        Unpack(arguments[2 * set], &sets[set]->tap[0], &sets[set]->tap[1]);
        Unpack(arguments[2 * set + 1], &sets[set]->tap[2], &sets[set]->tap[3]);
    }
}

std::string ReadScriptLine(const char* text, ScriptArguments* arguments) {
    const char* p = SkipBlanks(text);
    if (std::strncmp(p, "Config", 6) != 0) return "the line does not start with \"Config(\"";
    p = SkipBlanks(p + 6);
    if (*p != '(') return "the line does not start with \"Config(\"";
    ++p;
    ScriptArguments parsed{};
    for (int i = 0; i < 8; ++i) {
        const std::string which = "argument " + std::to_string(i + 1);
        p = SkipBlanks(p);
        if (i > 0 && *p == ')') return "the line has " + std::to_string(i) + " arguments, not 8";
        bool negative = false;
        if (*p == '-' || *p == '+') {
            negative = (*p == '-');
            ++p;
        }
        if (*p < '0' || *p > '9') return which + " is not a decimal integer";
        int64_t magnitude = 0;
        while (*p >= '0' && *p <= '9') {
            magnitude = magnitude * 10 + (*p - '0');
            if (magnitude > 2147483648LL) return which + " does not fit a signed 32-bit integer";
            ++p;
        }
        const int64_t value = negative ? -magnitude : magnitude;
        if (value > 2147483647LL) return which + " does not fit a signed 32-bit integer";
        parsed.value[i] = static_cast<int32_t>(value);
        p = SkipBlanks(p);
        if (i < 7 && *p == ')') return "the line has " + std::to_string(i + 1) + " arguments, not 8";
        if (i == 7 && *p == ',') return "the line has more than 8 arguments";
        if (*p != (i < 7 ? ',' : ')')) {
            return which + (i < 7 ? " is not followed by \",\"" : " is not followed by \")\"");
        }
        ++p;
    }
    while (IsBlank(*p) || *p == '\r' || *p == '\n') ++p;
    if (*p != '\0') return "unexpected text after \")\"";
    *arguments = parsed;
    return std::string();
}

}  // namespace quorrel
