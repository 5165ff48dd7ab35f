#include "analysis/response_plot.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "analysis/response_summary.h"

namespace quorrel {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 480;
constexpr int kCurvePoints = 1600;
constexpr double kHalfPowerDecibels = -3.0102999566398120;

enum class PictureKind { kPng, kSvg, kUnknown };

PictureKind KindOf(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return PictureKind::kUnknown;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "png") return PictureKind::kPng;
    if (extension == "svg") return PictureKind::kSvg;
    return PictureKind::kUnknown;
}

void SetColour(cairo_t* cr, PlotColour colour) {
    cairo_set_source_rgb(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0);
}

void ShowText(cairo_t* cr, double x, double y, const char* text, double align_x, double align_y) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text, &extents);
    cairo_move_to(cr, x - align_x * extents.width - extents.x_bearing,
                  y - align_y * extents.height - extents.y_bearing);
    cairo_show_text(cr, text);
}

void DrawAxes(cairo_t* cr, const PlotGeometry& g) {
    cairo_set_font_size(cr, 12.0);
    cairo_set_line_width(cr, 1.0);
    char label[32];
    for (int tenth = 0; tenth <= 10; ++tenth) {  // every 0.05 cycles per pixel
        const double x = std::round(g.XOf(tenth * 0.05)) + 0.5;
        cairo_set_source_rgb(cr, 0.88, 0.88, 0.88);
        cairo_move_to(cr, x, g.top);
        cairo_line_to(cr, x, g.bottom);
        cairo_stroke(cr);
        if (tenth % 2 == 0) {
            std::snprintf(label, sizeof label, "%.1f", tenth * 0.05);
            cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
            ShowText(cr, x, g.bottom + 6, label, 0.5, 0.0);
        }
    }
    for (double db = g.lowest_decibels; db <= g.highest_decibels + 1e-9; db += 10.0) {
        const double y = std::round(g.YOf(db)) + 0.5;
        cairo_set_source_rgb(cr, db == 0.0 ? 0.6 : 0.88, db == 0.0 ? 0.6 : 0.88, db == 0.0 ? 0.6 : 0.88);
        cairo_move_to(cr, g.left, y);
        cairo_line_to(cr, g.right, y);
        cairo_stroke(cr);
        std::snprintf(label, sizeof label, "%.0f", db);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        ShowText(cr, g.left - 6, y, label, 1.0, 0.5);
    }
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_rectangle(cr, g.left + 0.5, g.top + 0.5, g.right - g.left - 1, g.bottom - g.top - 1);
    cairo_stroke(cr);
    ShowText(cr, 0.5 * (g.left + g.right), g.height - 8, "cycles per pixel", 0.5, 1.0);
    cairo_save(cr);
    cairo_translate(cr, 16, 0.5 * (g.top + g.bottom));
    cairo_rotate(cr, -1.5707963267948966);
    ShowText(cr, 0, 0, "dB (both passes)", 0.5, 0.5);
    cairo_restore(cr);
}

void DrawHalfPowerLine(cairo_t* cr, const PlotGeometry& g) {
    const double y = g.YOf(kHalfPowerDecibels);
    const double dashes[] = {6.0, 4.0};
    cairo_set_source_rgb(cr, 0.75, 0.1, 0.1);
    cairo_set_line_width(cr, 1.0);
    cairo_set_dash(cr, dashes, 2, 0.0);
    cairo_move_to(cr, g.left, y);
    cairo_line_to(cr, g.right, y);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0.0);
    cairo_set_font_size(cr, 11.0);
    ShowText(cr, g.right - 4, y + 3, "-3 dB", 1.0, 0.0);
}

void DrawCurve(cairo_t* cr, const PlotGeometry& g, const PlotCurve& curve, PlotColour colour) {
    cairo_save(cr);
    cairo_rectangle(cr, g.left, g.top, g.right - g.left, g.bottom - g.top);
    cairo_clip(cr);
    // Values off the scale are drawn just beyond it, where the clip cuts them.
    const double floor_db = g.lowest_decibels - 10.0, ceiling_db = g.highest_decibels + 10.0;
    for (int i = 0; i <= kCurvePoints; ++i) {
        const double frequency = 0.5 * i / kCurvePoints;
        const double db = std::clamp(GainInDecibels(CombinedGain(curve.filter, frequency)),
                                     floor_db, ceiling_db);
        if (i == 0)
            cairo_move_to(cr, g.XOf(frequency), g.YOf(db));
        else
            cairo_line_to(cr, g.XOf(frequency), g.YOf(db));
    }
    SetColour(cr, colour);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawLegend(cairo_t* cr, const PlotGeometry& g, const std::vector<PlotCurve>& curves) {
    cairo_set_font_size(cr, 12.0);
    double y = g.top + 16;
    for (size_t i = 0; i < curves.size(); ++i, y += 18) {
        SetColour(cr, CurveColour(i));
        cairo_set_line_width(cr, 2.0);
        cairo_move_to(cr, g.right - 140, y);
        cairo_line_to(cr, g.right - 114, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
        ShowText(cr, g.right - 108, y, curves[i].label.c_str(), 0.0, 0.5);
    }
}

void Draw(cairo_t* cr, const PlotGeometry& g, const std::vector<PlotCurve>& curves) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    DrawAxes(cr, g);
    DrawHalfPowerLine(cr, g);
    for (size_t i = 0; i < curves.size(); ++i) DrawCurve(cr, g, curves[i], CurveColour(i));
    DrawLegend(cr, g, curves);
}

std::string CairoProblem(const std::string& path, cairo_status_t status) {
    return "cannot write " + path + ": " + cairo_status_to_string(status);
}

}  // namespace

bool IsPlotFileName(const std::string& path) { return KindOf(path) != PictureKind::kUnknown; }

PlotColour CurveColour(size_t index) {
    static const PlotColour colours[] = {{31, 90, 190}, {220, 100, 10}};
    return colours[index % 2];
}

double PlotGeometry::XOf(double frequency) const { return left + (right - left) * frequency / 0.5; }

double PlotGeometry::YOf(double decibels) const {
    return top + (bottom - top) * (highest_decibels - decibels) / (highest_decibels - lowest_decibels);
}

PlotGeometry GeometryFor(const std::vector<PlotCurve>& curves) {
    PlotGeometry g;
    g.width = kWidth;
    g.height = kHeight;
    g.left = 70;
    g.right = kWidth - 20;
    g.top = 20;
    g.bottom = kHeight - 50;
    g.lowest_decibels = -60.0;
    double peak_db = 0.0;
    for (const PlotCurve& curve : curves)
        peak_db = std::max(peak_db, GainInDecibels(SummariseResponse(curve.filter).peak_gain));
    g.highest_decibels = std::clamp(10.0 * std::ceil((peak_db + 2.0) / 10.0), 10.0, 60.0);
    return g;
}

std::string WriteResponsePlot(const std::string& path, const std::vector<PlotCurve>& curves) {
    const PictureKind kind = KindOf(path);
    if (kind == PictureKind::kUnknown)
        return "plot file " + path + " must end in .png or .svg";
    const PlotGeometry g = GeometryFor(curves);
    cairo_surface_t* surface =
        kind == PictureKind::kPng
            ? cairo_image_surface_create(CAIRO_FORMAT_RGB24, g.width, g.height)
            : cairo_svg_surface_create(path.c_str(), g.width, g.height);
    cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return CairoProblem(path, status);
    }
    cairo_t* cr = cairo_create(surface);
    Draw(cr, g, curves);
    status = cairo_status(cr);
    cairo_destroy(cr);
    if (status == CAIRO_STATUS_SUCCESS) {
        if (kind == PictureKind::kPng) {
            status = cairo_surface_write_to_png(surface, path.c_str());
        } else {
            cairo_surface_finish(surface);
            status = cairo_surface_status(surface);
        }
    }
    cairo_surface_destroy(surface);
    return status == CAIRO_STATUS_SUCCESS ? "" : CairoProblem(path, status);
}

}  // namespace quorrel
