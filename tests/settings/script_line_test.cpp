#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "settings/script_line.h"

namespace quorrel {
namespace {

InstanceData Defaults() {
    InstanceData instance;
    InitInstance(&instance);
    return instance;
}

std::string LineOf(const InstanceData& instance) {
    char buffer[kLongestScriptLine + 1];
    EXPECT_TRUE(WriteScriptLine(instance, buffer, sizeof buffer));
    return buffer;
}

TEST(WriteScriptLine, Defaults) {
    EXPECT_EQ(LineOf(Defaults()), "Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)");
}

struct PackCase {
    const char* name;
    Tap first, second;
    int32_t packed;
};

// Each pair travels in argument 3 (Y b[1], b[2]) and argument 1 (Y a[1], a[2]).
TEST(ScriptLine, PacksAndUnpacksPairs) {
    const PackCase cases[] = {
        {"negative lower half", 0, -512, 65024},
        {"negative upper half", -1024, 0, -67108864},
        {"both halves", 1024, -512, 67173888},
        {"extremes low/high", -16384, 16383, -1073725441},
        {"extremes high/low", 16383, -16384, 1073725440},
        {"full 16-bit range", -32768, -1, -1 - 32767 * 65536 - 0},
    };
    for (const PackCase& c : cases) {
        InstanceData instance = Defaults();
        instance.y_a.tap[0] = c.first;
        instance.y_a.tap[1] = c.second;
        instance.y_b.tap[0] = c.first;
        instance.y_b.tap[1] = c.second;
        const ScriptArguments a = PackScriptArguments(instance);
        EXPECT_EQ(a.value[0], c.packed) << c.name;
        EXPECT_EQ(a.value[2], c.packed) << c.name;

        InstanceData back = Defaults();
        ScriptConfig(&back, a.value);
        EXPECT_EQ(back.y_a.tap[0], c.first) << c.name;
        EXPECT_EQ(back.y_a.tap[1], c.second) << c.name;
        EXPECT_EQ(back.y_b.tap[0], c.first) << c.name;
        EXPECT_EQ(back.y_b.tap[1], c.second) << c.name;
    }
}

// Writing a line, reading it back as text and running Config restores every
// tap, a[1] included, for any 16-bit values.
TEST(ScriptLine, TextRoundTripRestoresAllSixteenTaps) {
    std::mt19937 rng(20261211);
    for (int trial = 0; trial < 200; ++trial) {
        InstanceData instance = Defaults();
        CoefficientSet* sets[] = {&instance.y_a, &instance.y_b, &instance.uv_a, &instance.uv_b};
        for (CoefficientSet* s : sets)
            for (Tap& t : s->tap) t = static_cast<Tap>(rng());
        if (trial == 0)
            for (CoefficientSet* s : sets)
                for (Tap& t : s->tap) t = -32768;
        const std::string line = LineOf(instance);
        ASSERT_LE(line.size(), kLongestScriptLine);
        ScriptArguments parsed{};
        ASSERT_EQ(ReadScriptLine(line.c_str(), &parsed), "") << line;
        InstanceData back = Defaults();
        ScriptConfig(&back, parsed.value);
        ASSERT_EQ(std::memcmp(&back, &instance, offsetof(InstanceData, first)), 0) << line;
    }
}

TEST(WriteScriptLine, ShortBufferGetsAnEmptyStringAndFalse) {
    InstanceData instance = Defaults();
    const std::string full = LineOf(instance);
    char buffer[64];
    for (size_t length : {size_t{1}, size_t{10}, full.size()}) {
        std::memset(buffer, 'X', sizeof buffer);
        EXPECT_FALSE(WriteScriptLine(instance, buffer, length)) << length;
        EXPECT_EQ(buffer[0], '\0');
        EXPECT_EQ(buffer[1], 'X') << "nothing past the terminator";
    }
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_FALSE(WriteScriptLine(instance, buffer, 0));
    EXPECT_EQ(buffer[0], 'X') << "a zero-length buffer is not written";
    EXPECT_TRUE(WriteScriptLine(instance, buffer, full.size() + 1));
    EXPECT_EQ(std::string(buffer), full);
}

TEST(ReadScriptLine, AcceptsTheWrittenFormWithAnySpacing) {
    const char* lines[] = {
        "Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)",
        "Config(0,0,67108864,0,0,0,67108864,0)",
        "  Config ( 0 ,0, 67108864 ,0,0,0,67108864,0 )  \n",
        "Config(+0, -0, 67108864, 0, 0, 0, 67108864, 0)",
    };
    for (const char* line : lines) {
        ScriptArguments a{};
        EXPECT_EQ(ReadScriptLine(line, &a), "") << line;
        EXPECT_EQ(a.value[2], 67108864) << line;
        EXPECT_EQ(a.value[6], 67108864) << line;
    }
    ScriptArguments a{};
    EXPECT_EQ(ReadScriptLine("Config(-2147483648, 2147483647, 0, 0, 0, 0, 0, 0)", &a), "");
    EXPECT_EQ(a.value[0], INT32_MIN);
    EXPECT_EQ(a.value[1], INT32_MAX);
}

TEST(ReadScriptLine, NamesTheProblem) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "does not start with"},
        {"config(0,0,0,0,0,0,0,0)", "does not start with"},
        {"Config 0,0,0,0,0,0,0,0", "does not start with"},
        {"Config(0,0,0,0,0,0,0)", "7 arguments"},
        {"Config()", "argument 1 is not"},
        {"Config(0,0,0,0,0,0,0,0,0)", "more than 8"},
        {"Config(0,0,x,0,0,0,0,0)", "argument 3 is not"},
        {"Config(0,0,0,0,2147483648,0,0,0)", "argument 5 does not fit"},
        {"Config(0,0,0,0,0,0,0,-2147483649)", "argument 8 does not fit"},
        {"Config(0,0,0,0,0,0,0,99999999999999999999999)", "argument 8 does not fit"},
        {"Config(0,0,0,0,0,0,0,0", "argument 8 is not followed"},
        {"Config(0;0,0,0,0,0,0,0)", "argument 1 is not followed"},
        {"Config(1.5,0,0,0,0,0,0,0)", "argument 1 is not followed"},
        {"Config(0,0,0,0,0,0,0,0) x", "after"},
    };
    for (const auto& c : cases) {
        ScriptArguments a{};
        a.value[0] = 42;
        const std::string message = ReadScriptLine(c.first, &a);
        EXPECT_NE(message.find(c.second), std::string::npos) << c.first << " -> " << message;
        EXPECT_EQ(a.value[0], 42) << "untouched on error: " << c.first;
    }
}

}  // namespace
}  // namespace quorrel
