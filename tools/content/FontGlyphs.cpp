#include "content/FontGlyphs.h"

#include "content/Canvas.h"

#include <cmath>

namespace {

using Line = std::vector<Point2>;
constexpr double PI = 3.14159265358979323846;

// Points of an elliptic arc from a0 to a1 degrees; angles grow counter-clockwise as seen,
// so 90 is the top although the design's y grows downward.
Line arc(double cx, double cy, double rx, double ry, double a0, double a1) {
    Line line;
    int steps = static_cast<int>(std::ceil(std::fabs(a1 - a0) / 10.0));
    for (int i = 0; i <= steps; ++i) {
        double a = (a0 + (a1 - a0) * i / steps) * PI / 180.0;
        line.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
    }
    return line;
}

Line join(Line a, const Line& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

GlyphShape strokes(std::vector<Line> lines) {
    GlyphShape shape;
    shape.strokes = std::move(lines);
    return shape;
}

// Turned half a turn about the design's centre: 6 becomes 9.
GlyphShape halfTurn(GlyphShape shape) {
    for (auto* set : {&shape.strokes, &shape.polygons})
        for (Line& line : *set)
            for (Point2& p : line) p = {4.0 - p.x, 6.0 - p.y};
    return shape;
}

GlyphShape letterS(double x0, double x1, double y0, double y1) {
    double cx = (x0 + x1) / 2, rx = (x1 - x0) / 2 - 0.05, ry = (y1 - y0) / 4;
    double ym = (y0 + y1) / 2;
    return strokes({join(arc(cx, y0 + ry, rx * 0.95, ry, 30, 270), arc(cx, ym + ry, rx, ry, 90, -150))});
}

GlyphShape letterP() {
    return strokes({join(Line{{0, 6}, {0, 0}, {2.4, 0}}, join(arc(2.4, 1.6, 1.6, 1.6, 90, -90), Line{{0, 3.2}}))});
}

GlyphShape digit(char c) {
    switch (c) {
        case '0': return strokes({arc(2, 3, 1.85, 3, 0, 360)});
        case '1': return strokes({{{0.9, 1.3}, {2.3, 0}, {2.3, 6}}, {{0.9, 6}, {3.6, 6}}});
        case '2': return strokes({join(arc(2, 1.9, 1.9, 1.9, 160, -35), Line{{0, 6}, {4, 6}})});
        case '3': return strokes({join(arc(2, 1.45, 1.75, 1.45, 150, -90), arc(2, 4.45, 1.95, 1.55, 90, -150))});
        case '4': return strokes({{{3.1, 6}, {3.1, 0}, {0, 4.2}, {4, 4.2}}});
        case '5': return strokes({join(Line{{3.8, 0}, {0.5, 0}, {0.35, 2.8}}, arc(1.95, 4.1, 2.0, 1.9, 135, -155))});
        case '6': return strokes({arc(2, 4.1, 1.9, 1.9, 0, 360), join(arc(2.3, 3.6, 2.1, 3.6, 75, 180), Line{{0.12, 4.3}})});
        case '7': return strokes({{{0, 0}, {4, 0}, {1.4, 6}}});
        case '8': return strokes({arc(2, 1.5, 1.6, 1.5, 0, 360), arc(2, 4.4, 1.9, 1.6, 0, 360)});
        case '9': return halfTurn(digit('6'));
    }
    return {};
}

GlyphShape letter(char c) {
    switch (c) {
        case 'A': return strokes({{{0, 6}, {2, 0}, {4, 6}}, {{0.75, 4}, {3.25, 4}}});
        case 'B':
            return strokes({join(Line{{0, 6}, {0, 0}, {2.3, 0}}, join(arc(2.3, 1.45, 1.5, 1.45, 90, -90), Line{{0, 2.9}})),
                            join(Line{{0, 2.9}, {2.5, 2.9}}, join(arc(2.5, 4.45, 1.5, 1.55, 90, -90), Line{{0, 6}}))});
        case 'C': return strokes({arc(2.1, 3, 2.0, 3, 50, 310)});
        case 'D': return strokes({join(Line{{0, 6}, {0, 0}, {1.5, 0}}, join(arc(1.5, 3, 2.5, 3, 90, -90), Line{{0, 6}}))});
        case 'E': return strokes({{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 2.9}, {3, 2.9}}});
        case 'F': return strokes({{{4, 0}, {0, 0}, {0, 6}}, {{0, 2.9}, {3, 2.9}}});
        case 'G': return strokes({join(arc(2.05, 3, 2.0, 3, 48, 348), Line{{4.0, 3.2}, {2.3, 3.2}})});
        case 'H': return strokes({{{0, 0}, {0, 6}}, {{4, 0}, {4, 6}}, {{0, 3}, {4, 3}}});
        case 'I': return strokes({{{2, 0}, {2, 6}}, {{0.8, 0}, {3.2, 0}}, {{0.8, 6}, {3.2, 6}}});
        case 'J': return strokes({{{1.4, 0}, {4, 0}}, join(Line{{3.2, 0}}, arc(1.7, 4.3, 1.5, 1.7, 0, -180))});
        case 'K': return strokes({{{0, 0}, {0, 6}}, {{4, 0}, {0, 3.7}}, {{1.3, 2.5}, {4, 6}}});
        case 'L': return strokes({{{0, 0}, {0, 6}, {4, 6}}});
        case 'M': return strokes({{{0, 6}, {0, 0}, {2, 3.8}, {4, 0}, {4, 6}}});
        case 'N': return strokes({{{0, 6}, {0, 0}, {4, 6}, {4, 0}}});
        case 'O': return strokes({arc(2, 3, 2.0, 3, 0, 360)});
        case 'P': return letterP();
        case 'Q': return strokes({arc(2, 3, 2.0, 3, 0, 360), {{2.5, 4.4}, {4.1, 6.1}}});
        case 'R': {
            GlyphShape r = letterP();
            r.strokes.push_back({{1.9, 3.2}, {4, 6}});
            return r;
        }
        case 'S': return letterS(0, 4, 0, 6);
        case 'T': return strokes({{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}});
        case 'U': return strokes({join(Line{{0, 0}}, join(arc(2, 4, 2, 2, 180, 360), Line{{4, 0}}))});
        case 'V': return strokes({{{0, 0}, {2, 6}, {4, 0}}});
        case 'W': return strokes({{{0, 0}, {0.9, 6}, {2, 2.4}, {3.1, 6}, {4, 0}}});
        case 'X': return strokes({{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}});
        case 'Y': return strokes({{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}});
        case 'Z': return strokes({{{0, 0}, {4, 0}, {0, 6}, {4, 6}}});
    }
    return {};
}

GlyphShape sign(unsigned char c) {
    switch (c) {
        case '"': return strokes({{{1.1, 0}, {1.1, 1.8}}, {{2.9, 0}, {2.9, 1.8}}});
        case '\'': return strokes({{{2, 0}, {2, 1.8}}});
        case '.': {
            GlyphShape dot;
            dot.polygons = {{{1.25, 4.7}, {2.75, 4.7}, {2.75, 6.1}, {1.25, 6.1}}};
            return dot;
        }
        case '$': {
            GlyphShape s = letterS(0.4, 3.6, 0.7, 5.3);
            s.strokes.push_back({{2, -0.3}, {2, 6.3}});
            return s;
        }
        case '&':
            return strokes({join(join(Line{{4, 6}, {1.05, 2.45}}, arc(1.8, 1.35, 1.1, 1.25, 215, -35)),
                                 join(Line{{0.45, 4.2}}, join(arc(1.65, 4.65, 1.35, 1.35, 160, -35), Line{{3.9, 3.5}})))});
        case 0xB5: {  // the missile: a rocket flying right
            GlyphShape rocket;
            rocket.polygons = {{{0.5, 2.1}, {2.8, 2.1}, {4.2, 3.0}, {2.8, 3.9}, {0.5, 3.9}},
                               {{-0.2, 0.9}, {0.5, 0.9}, {1.6, 2.2}, {0.5, 2.2}},
                               {{-0.2, 5.1}, {0.5, 5.1}, {1.6, 3.8}, {0.5, 3.8}}};
            return rocket;
        }
        case 0xF9: {  // the menu marker: a bold arrow pointing down at the chosen circuit
            GlyphShape arrow;
            arrow.polygons = {{{1.25, 0}, {2.75, 0}, {2.75, 2.6}, {1.25, 2.6}}, {{-0.2, 2.4}, {4.2, 2.4}, {2, 6.1}}};
            return arrow;
        }
    }
    return {};
}

}  // namespace

const std::string& fontCharacters() {
    static const std::string characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ\"'.$&\xB5\xF9";
    return characters;
}

GlyphShape glyphShape(unsigned char c) {
    if (c >= '0' && c <= '9') return digit(static_cast<char>(c));
    if (c >= 'A' && c <= 'Z') return letter(static_cast<char>(c));
    return sign(c);
}

namespace {

// Design grid to picture pixels (top-down) inside a cell, leaving a margin so stretched
// glyphs never pick up their neighbours.
Point2 toCellPixels(Point2 design, GlyphCell cell) {
    return {cell.left + 3.0 + design.x * (11.5 / 4.0), cell.top + 2.6 + design.y * (13.8 / 6.0)};
}

void drawGlyph(Canvas& canvas, unsigned char c) {
    GlyphShape shape = glyphShape(c);
    GlyphCell cell = glyphCell(c);
    for (auto* set : {&shape.strokes, &shape.polygons})
        for (auto& line : *set)
            for (Point2& p : line) p = toCellPixels(p, cell);

    const double radius = 1.55;  // bold: strokes a little over three pixels wide
    const int samples = 4;
    for (int py = cell.top; py < cell.top + GLYPH_CELL_HEIGHT; ++py) {
        for (int px = cell.left; px < cell.left + GLYPH_CELL_WIDTH; ++px) {
            int hits = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    Point2 p{px + (sx + 0.5) / samples, py + (sy + 0.5) / samples};
                    bool lit = false;
                    for (const auto& line : shape.strokes) {
                        for (std::size_t i = 0; i < line.size() && !lit; ++i) {
                            const Point2& b = line[i + 1 < line.size() ? i + 1 : i];
                            lit = segmentDistance(p, line[i], b) <= radius;
                        }
                        if (lit) break;
                    }
                    for (const auto& polygon : shape.polygons)
                        if (!lit) lit = insidePolygon(p, polygon);
                    hits += lit;
                }
            if (hits == 0) continue;
            // Slightly brighter at the top: a hint of relief once tinted by the text colour.
            double shade = 1.0 - 0.18 * (py - cell.top) / GLYPH_CELL_HEIGHT;
            canvas.blend(px, FONT_PICTURE_HEIGHT - 1 - py, Colour{1, 1, 1} * shade, hits / double(samples * samples));
        }
    }
}

}  // namespace

Image drawFontSheet() {
    Canvas canvas(FONT_PICTURE_WIDTH, FONT_PICTURE_HEIGHT);
    for (unsigned char c : fontCharacters()) drawGlyph(canvas, c);
    return canvas.toImage();
}
