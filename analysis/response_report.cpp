#include "analysis/response_report.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <vector>

#include "analysis/poles.h"
#include "analysis/response_summary.h"
#include "analysis/tap_filter.h"

namespace quorrel {
namespace {

std::string Gain(double gain) {
    if (std::isinf(gain)) return "unbounded";
    char text[64];
    const double decibels = GainInDecibels(gain);
    if (std::isinf(decibels))
        std::snprintf(text, sizeof text, "%.4f (-inf dB)", gain);
    else
        std::snprintf(text, sizeof text, "%.4f (%.2f dB)", gain, decibels);
    return text;
}

std::string Crossings(const std::vector<double>& frequencies) {
    if (frequencies.empty()) return "none";
    std::string text = "at ";
    for (size_t i = 0; i < frequencies.size(); ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "%s%.4f", i == 0 ? "" : ", ", frequencies[i]);
        text += value;
    }
    return text + " cycles per pixel";
}

// Printed to 4 places; a part that shows as zero is printed without a sign.
double Shown(double value) { return std::fabs(value) < 5e-5 ? 0.0 : value; }

// Largest radius first; a complex pair is one entry.
std::string Poles(const PoleReport& report) {
    std::vector<std::complex<double>> shown;
    for (const std::complex<double>& pole : report.poles)
        if (pole.imag() >= 0.0) shown.push_back(pole);
    std::stable_sort(shown.begin(), shown.end(),
                     [](const std::complex<double>& x, const std::complex<double>& y) {
                         return std::abs(x) > std::abs(y);
                     });
    std::string text;
    for (const std::complex<double>& pole : shown) {
        char value[64];
        if (pole.imag() == 0.0)
            std::snprintf(value, sizeof value, "%.4f", Shown(pole.real()));
        else
            std::snprintf(value, sizeof value, "%.4f +/- %.4fi", Shown(pole.real()), pole.imag());
        if (!text.empty()) text += ", ";
        text += value;
    }
    return text;
}

}  // namespace

std::string DescribeResponse(const std::string& name, const std::string& short_name,
                             const CoefficientSet& a, const CoefficientSet& b) {
    const ResponseSummary summary = SummariseResponse(TapFilterOf(a, b));
    const PoleReport poles = AnalysePoles(a);
    char line[256];
    std::string text = name + "\n";
    text += "  gain   DC " + Gain(summary.dc_gain) + ", Nyquist " + Gain(summary.nyquist_gain) + "\n";
    std::snprintf(line, sizeof line, "  peak   %s at %.4f cycles per pixel\n",
                  Gain(summary.peak_gain).c_str(), summary.peak_frequency);
    text += line;
    text += "  -3 dB  " + Crossings(summary.half_power_crossings) + "\n";
    text += "  -6 dB  " + Crossings(summary.half_amplitude_crossings) + "\n";
    std::snprintf(line, sizeof line, "  poles  %s: %s, largest radius %.6f\n", Poles(poles).c_str(),
                  StabilityName(poles.verdict), poles.largest_radius);
    text += line;
    if (poles.verdict == Stability::kUnstable)
        text += "WARNING: the " + short_name +
                " taps are UNSTABLE: a pole lies outside the unit circle, so the filter runs "
                "away and saturates rows to 0 or 4095\n";
    else if (poles.verdict == Stability::kMarginal)
        text += "WARNING: the " + short_name +
                " taps are MARGINAL: a pole lies on the unit circle, so the filter does not "
                "settle and rows drift to 0 or 4095\n";
    return text;
}

}  // namespace quorrel
