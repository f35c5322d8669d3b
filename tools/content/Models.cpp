#include "content/Models.h"

#include "content/FontGlyphs.h"
#include "content/MeshBuilder.h"
#include "content/Random.h"

#include <cmath>

namespace {

constexpr int SKIN_SIZE = 256, TILES = 4, TILE = SKIN_SIZE / TILES;
constexpr double PI = 3.14159265358979323846;

enum Swatch {
    Livery, Glass, Metal, EngineGlow, RedPaint, DarkGrey, MissileBody, MissileNose,
    RocketBody, Yellow, GoldRim, CoinFace, BoostFace, BoostSide, Flame, White
};

// The swatch's rectangle, kept a texel inside its tile so filtering never mixes neighbours.
UvRect swatch(Swatch s) {
    double inset = 2.0 / SKIN_SIZE;
    double u0 = (s % TILES) / double(TILES), v0 = (s / TILES) / double(TILES);
    return {u0 + inset, v0 + inset, u0 + 1.0 / TILES - inset, v0 + 1.0 / TILES - inset};
}

PartFrame along(Vector3 origin, Vector3 axis, Vector3 sideA, Vector3 sideB) { return {origin, axis, sideA, sideB}; }
const Vector3 X(1, 0, 0), Y(0, 1, 0), Z(0, 0, 1);

// A docked missile is drawn with its pod's own body, and the cockpit view looks out from that
// body's origin along +x. So the missile rides on a rail on the pod's back, behind and above
// the eye: nothing of it lies ahead of the near plane (50) or below the view's upper edge,
// while the chase cameras, above and behind, see it on the pod's back.
const Vector3 MISSILE_SEAT(-180, 135, 0);

MdlData pod() {
    MeshBuilder b;
    // Fuselage: a flattened, rounded hull, pointed at the nose, cut square at the tail.
    b.loft(along({0, 0, 0}, X, Y, Z),
           {{-390, 48, 95, 2.6}, {-300, 62, 118, 2.6}, {-120, 70, 128, 2.6}, {80, 58, 104, 2.4},
            {230, 38, 64, 2.2}, {340, 20, 28, 2.0}, {400, 0, 0, 2.0}},
           24, swatch(Livery), swatch(DarkGrey));
    // Canopy bubble, set into the hull's back.
    b.loft(along({0, 48, 0}, X, Y, Z), {{-150, 0, 0}, {-90, 34, 48}, {20, 38, 46}, {120, 22, 30}, {175, 0, 0}}, 16,
           swatch(Glass), swatch(Glass));
    // Two engine nacelles, glowing at the back.
    for (double side : {-1.0, 1.0}) {
        b.loft(along({0, -22, side * 172}, X, Y, Z),
               {{-395, 42, 42}, {-340, 48, 48}, {100, 44, 44}, {250, 26, 26}, {320, 0, 0}}, 16, swatch(Metal),
               swatch(EngineGlow));
        // Swept wing joining the nacelle to the hull.
        b.slab(along({0, -12, 0}, X, Z * side, Y), {{-300, 0}, {-60, 0}, {-150, 170}, {-320, 170}}, 22,
               swatch(DarkGrey), swatch(RedPaint));
    }
    // Tail fin.
    b.slab(along({0, 0, 0}, X, Y, Z), {{-395, 30}, {-270, 30}, {-350, 112}, {-400, 112}}, 16, swatch(DarkGrey),
           swatch(RedPaint));
    // The missile's rail, behind the canopy; it stays inside the hull's box, so pods collide
    // as they did.
    b.slab(along({0, 0, 0}, X, Y, Z), {{-255, 50}, {-150, 50}, {-165, MISSILE_SEAT.y - 25}, {-240, MISSILE_SEAT.y - 25}},
           14, swatch(Metal), swatch(DarkGrey));
    return b.finish();
}

// Built round its seat on the pod's rail, so the model's origin is the pod's; in flight it
// reads the same, a little above and behind the point that flies.
MdlData missile() {
    MeshBuilder b;
    const Vector3 o = MISSILE_SEAT;
    b.loft(along(o, X, Y, Z), {{-150, 22, 22}, {-120, 28, 28}, {70, 28, 28}, {120, 20, 20}, {150, 0, 0}}, 12,
           swatch(MissileBody), swatch(Flame));
    b.loft(along(o, X, Y, Z), {{66, 29, 29}, {74, 29, 29}, {120, 21, 21}, {152, 0, 0}}, 12, swatch(MissileNose),
           swatch(MissileNose));
    // Fins set crosswise, clear of the pod's tail fin below them.
    for (int k = 0; k < 4; ++k) {
        double a = (k + 0.5) * PI / 2;
        Vector3 out(0, std::cos(a), std::sin(a)), thin(0, -std::sin(a), std::cos(a));
        b.slab(along(o, X, out, thin), {{-150, 20}, {-90, 20}, {-130, 62}, {-155, 62}}, 8, swatch(DarkGrey),
               swatch(RedPaint));
    }
    return b.finish();
}

// Missile reload: a big upright red rocket with yellow fins.
MdlData reloadBonus() {
    MeshBuilder b;
    b.loft(along({0, 0, 0}, Y, X, Z),
           {{-330, 70, 70}, {-290, 110, 110}, {120, 110, 110}, {230, 80, 80}, {300, 40, 40}, {335, 0, 0}}, 20,
           swatch(RocketBody), swatch(Flame));
    for (int k = 0; k < 4; ++k) {
        double a = k * PI / 2;
        Vector3 out(std::cos(a), 0, std::sin(a)), thin(-std::sin(a), 0, std::cos(a));
        b.slab(along({0, 0, 0}, Y, out, thin), {{-330, 100}, {-150, 100}, {-220, 320}, {-340, 320}}, 26, swatch(Yellow),
               swatch(Yellow));
    }
    return b.finish();
}

// Money: three gold coins crossing at the centre, a ball of gold seen from any side.
MdlData moneyBonus() {
    MeshBuilder b;
    for (int k = 0; k < 3; ++k) {
        double a = k * PI / 3;
        Vector3 face(std::cos(a), 0, std::sin(a)), side(-std::sin(a), 0, std::cos(a));
        b.loft(along({0, 0, 0}, face, Y, side), {{-34, 320, 320}, {34, 320, 320}}, 40, swatch(GoldRim), swatch(CoinFace));
    }
    return b.finish();
}

// Boost: upward double chevrons, two of them crossed so they read from every side.
MdlData boostBonus() {
    MeshBuilder b;
    for (int k = 0; k < 2; ++k) {
        Vector3 across = k == 0 ? X : Z, thin = k == 0 ? Z : X;
        for (double lift : {-250.0, 40.0}) {
            // One chevron as two convex arms meeting at the top.
            b.slab(along({0, lift, 0}, across, Y, thin), {{-320, 0}, {-200, 0}, {0, 170}, {0, 290}}, 90, swatch(BoostSide),
                   swatch(BoostFace));
            b.slab(along({0, lift, 0}, across, Y, thin), {{0, 170}, {200, 0}, {320, 0}, {0, 290}}, 90, swatch(BoostSide),
                   swatch(BoostFace));
        }
    }
    return b.finish();
}

using Paint = Colour (*)(double s, double t, double grain);

Colour livery(double s, double t, double grain) {
    // s runs tail to nose, t around from the top.
    double top = std::min(t, 1 - t);
    Colour c = mix(bytes(236, 238, 242), bytes(60, 64, 72), smoothstep(0.22, 0.32, top));
    if (top < 0.045) c = bytes(210, 30, 34);
    else if (top < 0.06) c = bytes(30, 30, 34);
    if (std::fabs(top - 0.25) < 0.02 && s > 0.2 && s < 0.85) c = bytes(250, 200, 40);
    if (s > 0.93) c = bytes(210, 30, 34);
    for (double line : {0.3, 0.55, 0.78})
        if (std::fabs(s - line) < 0.006) c = c * 0.6;
    return c * (0.96 + 0.04 * grain);
}
Colour glass(double s, double t, double) {
    double top = std::min(t, 1 - t);
    Colour c = mix(bytes(140, 200, 240), bytes(16, 30, 60), smoothstep(0.0, 0.3, top));
    return mix(c, bytes(255, 255, 255), 0.7 * (1 - smoothstep(0.0, 0.03, std::fabs(s - 0.55 - top * 0.4))));
}
Colour metal(double s, double t, double grain) {
    Colour c = bytes(92, 98, 108) * (0.9 + 0.15 * std::cos(t * 2 * PI));
    if (s > 0.72 && s < 0.8) c = bytes(230, 90, 30);
    if (s < 0.05) c = bytes(40, 40, 46);
    return c * (0.95 + 0.05 * grain);
}
Colour engineGlow(double s, double t, double) {
    double r = std::hypot(s - 0.5, t - 0.5) * 2;
    return mix(bytes(255, 255, 255), bytes(40, 140, 255), smoothstep(0.1, 0.9, r));
}
Colour redPaint(double, double t, double grain) { return mix(bytes(200, 28, 32), bytes(240, 240, 240), smoothstep(0.85, 0.9, t)) * (0.95 + 0.05 * grain); }
Colour darkGrey(double, double, double grain) { return bytes(54, 58, 66) * (0.92 + 0.08 * grain); }
Colour missileBody(double s, double, double grain) {
    Colour c = bytes(236, 236, 232);
    if (std::fmod(s * 8, 1.0) < 0.12) c = bytes(30, 30, 30);
    return c * (0.96 + 0.04 * grain);
}
Colour missileNose(double, double, double) { return bytes(220, 36, 30); }
Colour rocketBody(double s, double, double grain) {
    Colour c = bytes(214, 30, 34);
    if (s > 0.55 && s < 0.68) c = bytes(245, 245, 245);
    if (s > 0.86) c = bytes(245, 245, 245);
    return c * (0.94 + 0.06 * grain);
}
Colour yellow(double, double, double grain) { return bytes(250, 204, 40) * (0.95 + 0.05 * grain); }
Colour goldRim(double s, double t, double) {
    double milled = 0.85 + 0.15 * std::cos(t * 2 * PI * 60);
    return bytes(230, 176, 50) * milled * (0.85 + 0.15 * std::sin(s * PI));
}
Colour coinFace(double s, double t, double) {
    double r = std::hypot(s - 0.5, t - 0.5) * 2;
    Colour gold = mix(bytes(255, 222, 110), bytes(200, 140, 30), smoothstep(0.0, 1.0, r + 0.3 * (t - 0.5)));
    if (r > 0.84 && r < 0.92) gold = gold * 0.72;  // raised rim
    // The dollar sign from the game's own font, engraved darker.
    GlyphShape dollar = glyphShape('$');
    Point2 p{(s - 0.5) * 7.4 + 2, (0.5 - t) * 7.4 + 3};
    for (const auto& line : dollar.strokes)
        for (std::size_t i = 0; i + 1 < line.size(); ++i)
            if (segmentDistance(p, line[i], line[i + 1]) < 0.5) return bytes(150, 96, 14);
    return gold;
}
Colour boostFace(double s, double t, double) {
    double edge = std::min(std::min(s, 1 - s), std::min(t, 1 - t));
    return mix(bytes(40, 170, 255), bytes(220, 250, 255), smoothstep(0.05, 0.4, edge));
}
Colour boostSide(double, double, double) { return bytes(20, 90, 200); }
Colour flame(double s, double t, double) {
    double r = std::hypot(s - 0.5, t - 0.5) * 2;
    return mix(bytes(255, 250, 210), bytes(255, 110, 20), smoothstep(0.1, 0.9, r));
}
Colour white(double, double, double) { return bytes(245, 245, 245); }

}  // namespace

std::vector<ModelAsset> buildModels() {
    return {{"pod", pod()}, {"missile", missile()}, {"bonus0", reloadBonus()}, {"bonus1", moneyBonus()}, {"bonus2", boostBonus()}};
}

Canvas drawModelSkin() {
    const Paint paints[TILES * TILES] = {livery,     glass,  metal,   engineGlow, redPaint,  darkGrey, missileBody, missileNose,
                                         rocketBody, yellow, goldRim, coinFace,   boostFace, boostSide, flame,      white};
    Canvas skin(SKIN_SIZE, SKIN_SIZE);
    for (int y = 0; y < SKIN_SIZE; ++y)
        for (int x = 0; x < SKIN_SIZE; ++x) {
            int tile = (y / TILE) * TILES + x / TILE;
            double s = (x % TILE + 0.5) / TILE, t = (y % TILE + 0.5) / TILE;
            double grain = hash3(x, y, 4711u) / 2147483647.5 - 1.0;
            skin.at(x, y) = paints[tile](s, t, grain);
        }
    return skin;
}
