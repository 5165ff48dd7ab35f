// ParseCoefficient on any bytes, against the C library's correctly rounded
// strtod on the number that the dialog's grammar takes from them; and the
// FormatCoefficient round trip that pressing OK applies to every tap.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "settings/coefficient_text.h"

namespace quorrel {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix of the grammar, as text strtod reads the same way:
// a "d" or "D" exponent marker becomes "e". Empty when there is no number.
std::string NumberPrefix(const char* text) {
    const char* p = text;
    while (IsSpace(*p)) ++p;
    const char* start = p;
    if (*p == '+' || *p == '-') ++p;
    const char* digits = p;
    while (IsDigit(*p)) ++p;
    bool any_digit = p != digits;
    if (*p == '.') {
        const char* fraction = p + 1;
        const char* q = fraction;
        while (IsDigit(*q)) ++q;
        if (any_digit || q != fraction) {
            any_digit = true;
            p = q;
        }
    }
    if (!any_digit) return std::string();
    std::string number(start, p);
    if (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (IsDigit(*q)) {
            while (IsDigit(*q)) ++q;
            number += 'e';
            number.append(p + 1, q);
        }
    }
    return number;
}

int32_t ClampedQ10(double value) {
    const double n = std::floor(value * 1024.0 + 0.5);
    if (n < -16384.0) return -16384;
    if (n > 16383.0) return 16383;
    return static_cast<int32_t>(n);
}

void CheckParse(const char* text) {
    const Tap tap = ParseCoefficient(text);
    FUZZ_CHECK(tap >= -16384 && tap <= 16383, "text \"%s\" gave %d", text, tap);

    const std::string number = NumberPrefix(text);
    const double value = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
    const int32_t expected = ClampedQ10(value);
    FUZZ_CHECK(tap == expected, "text \"%s\" (number \"%s\") gave %d, strtod says %d", text,
               number.c_str(), tap, expected);
}

// The signed hundredths that a FormatCoefficient text shows.
int32_t ShownHundredths(const char* text) {
    const bool negative = text[0] == '-';
    int32_t hundredths = 0;
    for (const char* p = text + (negative ? 1 : 0); *p != '\0'; ++p) {
        if (*p == '.') continue;
        FUZZ_CHECK(IsDigit(*p), "\"%s\" holds something other than digits", text);
        hundredths = hundredths * 10 + (*p - '0');
    }
    return negative ? -hundredths : hundredths;
}

void CheckRoundTrip(Tap tap) {
    const CoefficientText shown = FormatCoefficient(tap);
    const size_t length = std::strlen(shown.text);
    FUZZ_CHECK(length >= 4 && length <= 6, "tap %d shows as \"%s\"", tap, shown.text);
    FUZZ_CHECK((shown.text[0] == '-') == (tap < 0), "tap %d shows as \"%s\"", tap, shown.text);
    FUZZ_CHECK(shown.text[length - 3] == '.', "tap %d shows as \"%s\"", tap, shown.text);

    // The shown value is the tap to the nearest hundredth, ties away from zero.
    const int32_t k = ShownHundredths(shown.text);
    const int32_t magnitude = tap < 0 ? -tap : tap;
    const int32_t k_magnitude = k < 0 ? -k : k;
    FUZZ_CHECK(std::abs(k_magnitude * 1024 - magnitude * 100) <= 512 &&
                   (std::abs(k_magnitude * 1024 - magnitude * 100) < 512 ||
                    k_magnitude * 1024 > magnitude * 100),
               "tap %d shows as \"%s\"", tap, shown.text);

    const Tap once = ParseCoefficient(shown.text);
    if (tap >= -16384 && tap <= 16383)
        FUZZ_CHECK(std::abs(once - tap) <= 5, "tap %d -> \"%s\" -> %d moved by more than 5", tap,
                   shown.text, once);
    else
        FUZZ_CHECK(once == (tap < 0 ? -16384 : 16383), "tap %d -> \"%s\" -> %d is not the limit",
                   tap, shown.text, once);

    const Tap twice = ParseCoefficient(FormatCoefficient(once).text);
    FUZZ_CHECK(twice == once, "tap %d -> %d -> %d: the second round trip moved it", tap, once,
               twice);
}

}  // namespace
}  // namespace quorrel

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // As a C string, the text ends at the first NUL.
    const std::string text(reinterpret_cast<const char*>(data), size);
    quorrel::CheckParse(text.c_str());
    // What the dialog reads: the first nine characters of the box.
    quorrel::CheckParse(text.substr(0, 9).c_str());
    if (size >= 2) {
        const uint16_t bits = static_cast<uint16_t>(data[0] | (data[1] << 8));
        quorrel::CheckRoundTrip(static_cast<quorrel::Tap>(static_cast<int16_t>(bits)));
    }
    return 0;
}
