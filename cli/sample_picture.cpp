#include "cli/sample_picture.h"

#include <cmath>
#include <cstdint>

namespace quorrel {
namespace {

constexpr int32_t kWidth = 480;
constexpr int32_t kHeight = 320;

struct Rgb {
    int r, g, b;
};

int Clamp255(double v) { return v < 0 ? 0 : v > 255 ? 255 : static_cast<int>(v + 0.5); }

// Fully saturated hue, 0..1 around the colour wheel.
Rgb Hue(double h) {
    const double sector = h * 6.0;
    const int i = static_cast<int>(sector) % 6;
    const double f = sector - std::floor(sector);
    const int up = Clamp255(255 * f);
    const int down = 255 - up;
    switch (i) {
        case 0: return {255, up, 0};
        case 1: return {down, 255, 0};
        case 2: return {0, 255, up};
        case 3: return {0, down, 255};
        case 4: return {up, 0, 255};
        default: return {255, 0, down};
    }
}

// Rows 0..79: hue left to right, fading to black downwards.
Rgb HueSweep(int x, int y) {
    const Rgb c = Hue(static_cast<double>(x) / kWidth);
    const double light = 1.0 - y / 100.0;
    return {Clamp255(c.r * light), Clamp255(c.g * light), Clamp255(c.b * light)};
}

// Rows 80..159: eight bars of 60 pixels with hard edges.
Rgb ColourBars(int x) {
    static const Rgb kBars[8] = {{235, 235, 235}, {235, 235, 16}, {16, 235, 235}, {16, 235, 16},
                                 {235, 16, 235},  {235, 16, 16},  {16, 16, 235},  {16, 16, 16}};
    return kBars[x / 60];
}

// Rows 160..239, left half: a zone plate whose rings get finer outwards.
Rgb ZonePlate(int x, int y) {
    const double dx = x - 120.0;
    const double dy = y - 200.0;
    const double v = 127.5 + 127.5 * std::cos((dx * dx + dy * dy) * (3.14159265358979 / 240.0));
    const int g = Clamp255(v);
    return {g, g, g};
}

// Rows 160..239, right half: black and white line pairs whose period
// shrinks from 16 pixels to 1-pixel lines, in 6 blocks of 40 pixels.
Rgb Gratings(int x, int y) {
    static const int kHalfPeriod[6] = {8, 4, 3, 2, 1, 1};
    const int block = (x - 240) / 40;
    const bool vertical = block < 5 || y < 200;
    const int along = vertical ? x : y;
    const int g = (along / kHalfPeriod[block]) % 2 ? 255 : 0;
    return {g, g, g};
}

// Rows 240..319: a grey ramp on the left; on the right a red disc with a
// yellow ring on a blue ground, and a fine two-colour checkerboard.
Rgb Bottom(int x, int y) {
    if (x < 240) {
        const int g = Clamp255(x * 255.0 / 239.0);
        return y < 280 ? Rgb{g, g, g} : Rgb{255 - g, 255 - g, 255 - g};
    }
    if (x >= 420) return ((x / 4 + y / 4) % 2) ? Rgb{255, 128, 0} : Rgb{0, 96, 255};
    const double dx = x - 330.0;
    const double dy = y - 280.0;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (r < 24) return {220, 20, 30};
    if (r < 32) return {250, 220, 40};
    return {30, 50, 160};
}

Rgb PixelAt(int x, int y) {
    if (y < 80) return HueSweep(x, y);
    if (y < 160) return ColourBars(x);
    if (y < 240) return x < 240 ? ZonePlate(x, y) : Gratings(x, y);
    return Bottom(x, y);
}

}  // namespace

BgraImage MakeSamplePicture() {
    BgraImage image;
    image.size = FrameSize{kWidth, kHeight};
    image.pixels.resize(static_cast<size_t>(kWidth) * kHeight * kBytesPerPixel);
    uint8_t* p = image.pixels.data();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x, p += 4) {
            const Rgb c = PixelAt(x, y);
            p[0] = static_cast<uint8_t>(c.b);
            p[1] = static_cast<uint8_t>(c.g);
            p[2] = static_cast<uint8_t>(c.r);
            p[3] = 0;
        }
    }
    return image;
}

}  // namespace quorrel
