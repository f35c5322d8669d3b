#include "content/Canvas.h"

#include <algorithm>
#include <cmath>

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double smoothstep(double edge0, double edge1, double v) {
    double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

double lerp(double a, double b, double t) { return a + (b - a) * t; }

Canvas::Canvas(int width, int height, Colour fill)
    : w(width), h(height), pixels(static_cast<std::size_t>(width) * height, fill) {}

Colour Canvas::sample(double x, double y) const {
    x -= 0.5;
    y -= 0.5;
    double fx = std::floor(x), fy = std::floor(y);
    auto clampX = [&](double v) { return v < 0 ? 0 : (v > w - 1 ? w - 1 : static_cast<int>(v)); };
    auto clampY = [&](double v) { return v < 0 ? 0 : (v > h - 1 ? h - 1 : static_cast<int>(v)); };
    int x0 = clampX(fx), x1 = clampX(fx + 1), y0 = clampY(fy), y1 = clampY(fy + 1);
    double tx = x - fx, ty = y - fy;
    return mix(mix(at(x0, y0), at(x1, y0), tx), mix(at(x0, y1), at(x1, y1), tx), ty);
}

Canvas Canvas::halved() const {
    Canvas half((w + 1) / 2, (h + 1) / 2);
    for (int y = 0; y < half.h; ++y)
        for (int x = 0; x < half.w; ++x) {
            int x1 = std::min(2 * x + 1, w - 1), y1 = std::min(2 * y + 1, h - 1);
            half.at(x, y) = (at(2 * x, 2 * y) + at(x1, 2 * y) + at(2 * x, y1) + at(x1, y1)) * 0.25;
        }
    return half;
}

void Canvas::blend(int x, int y, Colour colour, double coverage) {
    if (x < 0 || y < 0 || x >= w || y >= h || coverage <= 0) return;
    Colour& p = at(x, y);
    p = mix(p, colour, coverage > 1 ? 1 : coverage);
}

Image Canvas::toImage() const {
    Image image(w, h);
    auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0)); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Colour& c = at(x, y);
            image.setPixel(x, y, packColour(byte(c.r), byte(c.g), byte(c.b), 0));
        }
    return image;
}
