#include "settings/coefficient_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quorrel {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Exponents are saturated here; anything this far out is infinite or zero.
constexpr long kExponentLimit = 100000;

// The number at the start of `text`, as the nearest double. The grammar:
//   space* [+-]? (digit+ ('.' digit*)? | '.' digit+) ([eEdD] [+-]? digit+)?
// An exponent marker without digits after it ends the number before itself.
double ScanNumber(const char* text) {
    const char* p = text;
    while (IsSpace(*p)) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }

    // The mantissa digits, without the point, and where the point stood.
    const char* int_begin = p;
    while (IsDigit(*p)) ++p;
    const char* int_end = p;
    const char* frac_begin = p;
    const char* frac_end = p;
    if (*p == '.') {
        frac_begin = p + 1;
        frac_end = frac_begin;
        while (IsDigit(*frac_end)) ++frac_end;
        if (int_begin == int_end && frac_begin == frac_end) return 0.0;  // "." alone
        p = frac_end;
    } else if (int_begin == int_end) {
        return 0.0;  // no digits at all
    }

    long exponent = 0;
    if (*p == 'e' || *p == 'E' || *p == 'd' || *p == 'D') {
        const char* q = p + 1;
        bool exponent_negative = false;
        if (*q == '+' || *q == '-') {
            exponent_negative = (*q == '-');
            ++q;
        }
        if (IsDigit(*q)) {
            while (IsDigit(*q)) {
                if (exponent < kExponentLimit) exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            if (exponent_negative) exponent = -exponent;
        }
    }

    // Collect the significant digits, from the first non-zero one on, and
    // the decimal position of that first digit (1 for the digit just before
    // the point), so the number reads 0.DIGITS x 10^position.
    constexpr size_t kKeptDigits = 800;  // more than a double's rounding can need
    char digits[kKeptDigits + 2];
    size_t count = 0;
    bool dropped_nonzero = false;
    long position = 0;
    auto take = [&](char d, long place) {
        if (count == 0) {
            if (d == '0') return;
            position = place;
        }
        if (count < kKeptDigits) {
            digits[count++] = d;
        } else if (d != '0') {
            dropped_nonzero = true;
        }
    };
    for (const char* d = int_begin; d != int_end; ++d) take(*d, static_cast<long>(int_end - d));
    for (const char* d = frac_begin; d != frac_end; ++d)
        take(*d, -static_cast<long>(d - frac_begin));
    if (count == 0) return negative ? -0.0 : 0.0;
    // A sticky digit stands for everything dropped, so the rounding stays
    // that of the full text.
    if (dropped_nonzero) digits[count++] = '1';

    const long magnitude = position + exponent;
    const double infinity = std::numeric_limits<double>::infinity();
    // Far outside the double range: decided without converting.
    if (magnitude > 400) return negative ? -infinity : infinity;
    if (magnitude < -400) return negative ? -0.0 : 0.0;

    // "0.DIGITSeMAGNITUDE", which std::from_chars converts to the nearest
    // double whatever the locale.
    char buffer[kKeptDigits + 16];
    size_t length = 0;
    buffer[length++] = '0';
    buffer[length++] = '.';
    for (size_t i = 0; i < count; ++i) buffer[length++] = digits[i];
    buffer[length++] = 'e';
    const auto written = std::to_chars(buffer + length, buffer + sizeof buffer, magnitude);
    length = static_cast<size_t>(written.ptr - buffer);

    double value = 0.0;
    const auto result =
        std::from_chars(buffer, buffer + length, value, std::chars_format::scientific);
    if (result.ec == std::errc::result_out_of_range) value = magnitude > 0 ? infinity : 0.0;
    return negative ? -value : value;
}

}  // namespace

Tap ParseCoefficient(const char* text) {
    const double d = ScanNumber(text);
    const double n = std::floor(d * 1024.0 + 0.5);
    if (n < -16384.0) return -16384;
    if (n > 16383.0) return 16383;
    return static_cast<Tap>(n);
}

CoefficientText FormatCoefficient(Tap tap) {
    const int32_t v = tap;
    const int32_t magnitude = v < 0 ? -v : v;
    const int32_t q = (magnitude * 100 + 512) / 1024;
    const int32_t whole = q / 100;
    const int32_t hundredths = q % 100;

    CoefficientText out{};
    char* p = out.text;
    if (v < 0) *p++ = '-';
    // whole is at most 32, so two digits at most.
    if (whole >= 10) *p++ = static_cast<char>('0' + whole / 10);
    *p++ = static_cast<char>('0' + whole % 10);
    *p++ = '.';
    *p++ = static_cast<char>('0' + hundredths / 10);
    *p++ = static_cast<char>('0' + hundredths % 10);
    *p = '\0';
    return out;
}

}  // namespace quorrel
