#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <string>

#include "settings/coefficient_text.h"

namespace quorrel {
namespace {

struct ParseCase {
    const char* text;
    int tap;
};

TEST(ParseCoefficient, ReadsTheNumberGrammar) {
    const ParseCase cases[] = {
        {"1", 1024},          {"0.5", 512},         {"-1.5", -1536},      {"16", 16383},
        {"-16", -16384},      {"-15.97", -16353},   {"-15.96", -16343},   {"20", 16383},
        {"4194304", 16383},   {"1e16", 16383},      {"1e999", 16383},     {"-2097152", -16384},
        {"-1e999", -16384},   {"1,5", 1024},        {"2d-1", 205},        {"0x10", 0},
        {"", 0},              {"abc", 0},           {"-", 0},             {".", 0},
        {"+.5", 512},         {"5.", 5120},         {" \t\n\v\f\r1", 1024}, {"1e", 1024},
        {"1e+", 1024},        {"1E-1", 102},        {"1D+1", 10240},      {"1-2", 1024},
        {"inf", 0},           {"nan", 0},           {"-infinity", 0},     {"+-1", 0},
        {".e1", 0},           {"0.0009765", 1},     {"-0.0004", 0},       {"-0.0005", -1},
        {"1e-999", 0},        {"00000001", 1024},   {"\xA0" "1", 0},      {"1.23456789", 1264},
        {"0.123456789", 126}, {"1 2", 1024},        {"0e99999999999", 0}, {"-0", 0},
    };
    for (const ParseCase& c : cases) {
        EXPECT_EQ(ParseCoefficient(c.text), c.tap) << '"' << c.text << '"';
    }
}

// Switches LC_NUMERIC to a locale with a decimal comma, compiling one with
// localedef when the system has none installed.
bool UseDecimalCommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name)) return true;
#ifndef _WIN32
    const std::string dir = testing::TempDir() + "quorrel-locale";
    const std::string command = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                                "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) {
        setenv("LOCPATH", dir.c_str(), 1);
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) return true;
    }
#endif
    return false;
}

TEST(ParseCoefficient, IgnoresTheCLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!UseDecimalCommaLocale()) GTEST_SKIP() << "no decimal-comma locale available";
    ASSERT_EQ(std::atof("0,5"), 0.5) << "the locale really uses a decimal comma";
    EXPECT_EQ(ParseCoefficient("0.5"), 512);
    EXPECT_EQ(ParseCoefficient("1,5"), 1024);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

struct FormatCase {
    int tap;
    const char* text;
};

TEST(FormatCoefficient, FollowsTheIntegerRule) {
    const FormatCase cases[] = {
        {0, "0.00"},      {-1, "-0.00"},     {-5, "-0.00"},     {-6, "-0.01"},
        {128, "0.13"},    {-128, "-0.13"},   {384, "0.38"},     {640, "0.63"},
        {1024, "1.00"},   {1025, "1.00"},    {16383, "16.00"},  {-16384, "-16.00"},
        {32767, "32.00"}, {-32768, "-32.00"}, {10240, "10.00"}, {-10245, "-10.00"},
        {5, "0.00"},      {6, "0.01"},       {1152, "1.13"},    {-2176, "-2.13"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_STREQ(FormatCoefficient(static_cast<Tap>(c.tap)).text, c.text) << c.tap;
    }
}

TEST(CoefficientRoundTrip, KnownTaps) {
    const std::pair<int, int> cases[] = {{1025, 1024},     {1030, 1034},    {128, 133},
                                         {-6, -10},        {16382, 16383},  {-16349, -16353},
                                         {20000, 16383},   {-32768, -16384}};
    for (const auto& c : cases) {
        const Tap tap = static_cast<Tap>(c.first);
        EXPECT_EQ(ParseCoefficient(FormatCoefficient(tap).text), c.second) << c.first;
    }
}

// What pressing OK does to an untouched tap, over the whole range the dialog
// can produce: bounded, idempotent, and the closed form of the shown text.
TEST(CoefficientRoundTrip, BoundedIdempotentAndCounted) {
    int survivors = 0;
    for (int v = -16384; v <= 16383; ++v) {
        const Tap tap = static_cast<Tap>(v);
        const Tap once = ParseCoefficient(FormatCoefficient(tap).text);
        const Tap twice = ParseCoefficient(FormatCoefficient(once).text);
        ASSERT_LE(std::abs(once - v), 5) << v;
        ASSERT_EQ(twice, once) << v;
        const int q = (std::abs(v) * 100 + 512) / 1024;
        const int k = v < 0 ? -q : q;
        int expected = static_cast<int>(std::floor((2048.0 * k + 100) / 200));
        expected = std::max(-16384, std::min(16383, expected));
        ASSERT_EQ(once, expected) << v;
        if (once == v) ++survivors;
    }
    EXPECT_EQ(survivors, 3201);
}

}  // namespace
}  // namespace quorrel
