#pragma once

#include "assets/Image.h"

#include <vector>

// Linear-ish colour in 0..1 per channel, for painting before quantising to bytes.
struct Colour {
    double r = 0, g = 0, b = 0;
};

inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator-(Colour a, Colour b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Colour operator*(Colour a, double s) { return {a.r * s, a.g * s, a.b * s}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
// From the three bytes of a colour picked by eye.
inline Colour bytes(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }
inline Colour mix(Colour a, Colour b, double t) { return a + (b - a) * t; }

double clamp01(double v);
double smoothstep(double edge0, double edge1, double v);
double lerp(double a, double b, double t);

// A picture being painted. Same orientation as Image: row 0 is the bottom row.
class Canvas {
public:
    Canvas(int width, int height, Colour fill = {});

    int width() const { return w; }
    int height() const { return h; }
    Colour& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * w + x]; }
    const Colour& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * w + x]; }
    // Bilinear read with clamped edges, in pixel units (pixel centres at +0.5).
    Colour sample(double x, double y) const;
    // Half the width and height (rounded up), each pixel the mean of the two by two it covers.
    Canvas halved() const;
    // Blends colour over the pixel with the given coverage; ignores pixels off the canvas.
    void blend(int x, int y, Colour colour, double coverage);

    // Rounded to bytes, alpha 0 (a saved BMP has none).
    Image toImage() const;

private:
    int w = 0, h = 0;
    std::vector<Colour> pixels;
};
