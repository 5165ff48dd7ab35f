// A picture of combined magnitude responses: dB against cycles per pixel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/tap_filter.h"

namespace quorrel {

struct PlotCurve {
    std::string label;  // shown in the legend
    TapFilter filter;
};

struct PlotColour {
    uint8_t red, green, blue;
};

// The colour of the curve at `index` (0 and 1 are distinct; later ones repeat).
PlotColour CurveColour(size_t index);

// Where a frequency and a gain land in the picture, in pixels from the
// top-left corner.
struct PlotGeometry {
    int width;
    int height;
    double left, right, top, bottom;  // edges of the plotting area
    double lowest_decibels, highest_decibels;
    double XOf(double frequency) const;
    double YOf(double decibels) const;
};

// The frame for these curves: -60 dB at the bottom, room above the highest
// peak at the top (up to +60 dB; what lies beyond is clipped).
PlotGeometry GeometryFor(const std::vector<PlotCurve>& curves);

// True for a name ending in .png or .svg, in any case.
bool IsPlotFileName(const std::string& path);

// Draws the curves, the -3 dB line, axes and a legend, and writes a PNG or
// an SVG as the file name's extension says. Returns "" or what went wrong;
// a failed write leaves no complete picture behind but reports it.
std::string WriteResponsePlot(const std::string& path, const std::vector<PlotCurve>& curves);

}  // namespace quorrel
