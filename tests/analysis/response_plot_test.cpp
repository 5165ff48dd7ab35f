#include <gtest/gtest.h>

#include <cairo.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "analysis/response_plot.h"
#include "analysis/tap_filter.h"

namespace quorrel {
namespace {

CoefficientSet Taps(int t1, int t2, int t3, int t4) {
    return CoefficientSet{{static_cast<Tap>(t1), static_cast<Tap>(t2), static_cast<Tap>(t3),
                           static_cast<Tap>(t4)}};
}

class ResponsePlotTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorrel-plot-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        for (const char* name : {"/plot.png", "/plot.svg"}) std::remove((folder_ + name).c_str());
        rmdir(folder_.c_str());
    }

    // Luma: identity, flat at 0 dB. Chroma: the two-tap average, -6.02 dB at 0.25.
    std::vector<PlotCurve> Curves() const {
        return {{"Y", TapFilterOf(Taps(0, 0, 0, 0), Taps(1024, 0, 0, 0))},
                {"UV", TapFilterOf(Taps(0, 0, 0, 0), Taps(512, 512, 0, 0))}};
    }

    std::string folder_;
};

// True when a pixel within `reach` rows of (x, y) has the colour.
bool ColourNear(cairo_surface_t* image, double x, double y, PlotColour colour, int reach) {
    const unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    const int column = static_cast<int>(std::lround(x));
    for (int row = static_cast<int>(std::lround(y)) - reach; row <= std::lround(y) + reach; ++row) {
        const uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + row * stride + 4 * column);
        const int red = (pixel >> 16) & 255, green = (pixel >> 8) & 255, blue = pixel & 255;
        if (std::abs(red - colour.red) + std::abs(green - colour.green) + std::abs(blue - colour.blue) < 30)
            return true;
    }
    return false;
}

TEST_F(ResponsePlotTest, WritesAPngWithEachCurveWhereItsGainIs) {
    const std::string path = folder_ + "/plot.png";
    ASSERT_EQ(WriteResponsePlot(path, Curves()), "");
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
    const PlotGeometry g = GeometryFor(Curves());
    EXPECT_EQ(cairo_image_surface_get_width(image), g.width);
    EXPECT_EQ(cairo_image_surface_get_height(image), g.height);
    EXPECT_EQ(g.width, 800);
    EXPECT_EQ(g.height, 480);

    const PlotColour luma = CurveColour(0), chroma = CurveColour(1);
    EXPECT_TRUE(ColourNear(image, g.XOf(0.25), g.YOf(0.0), luma, 2));
    EXPECT_TRUE(ColourNear(image, g.XOf(0.25), g.YOf(-6.0206), chroma, 2));
    EXPECT_FALSE(ColourNear(image, g.XOf(0.25), g.YOf(-6.0206), luma, 2));
    // And on the slope, at 0.1 cycles per pixel.
    EXPECT_TRUE(ColourNear(image, g.XOf(0.1), g.YOf(20 * std::log10(std::pow(std::cos(3.14159265358979 * 0.1), 2))), chroma, 2));
    cairo_surface_destroy(image);
}

TEST_F(ResponsePlotTest, WritesAnSvgByItsExtension) {
    const std::string path = folder_ + "/plot.svg";
    ASSERT_EQ(WriteResponsePlot(path, Curves()), "");
    std::ifstream file(path);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("width=\"800"), std::string::npos);
}

TEST_F(ResponsePlotTest, ReportsFilesItCannotWrite) {
    EXPECT_NE(WriteResponsePlot(folder_ + "/plot.jpg", Curves()).find(".png or .svg"), std::string::npos);
    EXPECT_NE(WriteResponsePlot(folder_ + "/missing/plot.png", Curves()), "");
    EXPECT_NE(WriteResponsePlot(folder_ + "/missing/plot.svg", Curves()), "");
}

TEST(PlotGeometry, MakesRoomForAPeakAboveZeroDecibels) {
    // A first difference peaks at 4 (+12 dB) at Nyquist.
    const PlotGeometry g = GeometryFor({{"Y", TapFilterOf(Taps(0, 0, 0, 0), Taps(1024, -1024, 0, 0))}});
    EXPECT_GE(g.highest_decibels, 12.05);
    EXPECT_EQ(g.lowest_decibels, -60.0);
    EXPECT_NEAR(g.YOf(g.highest_decibels), g.top, 1e-9);
    EXPECT_NEAR(g.XOf(0.5), g.right, 1e-9);
}

}  // namespace
}  // namespace quorrel
