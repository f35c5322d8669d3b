#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

// Text in the bitmap font: each text gets a rectangle in screen fractions (x from 0 at the
// left to 1 at the right, y from 0 at the top to 1 at the bottom) and a colour; its
// characters share the width equally and fill the height.

// The font picture and its glyph cells, in pixels from the picture's top-left corner.
constexpr int FONT_PICTURE_WIDTH = 308;
constexpr int FONT_PICTURE_HEIGHT = 286;
constexpr int GLYPH_CELL_WIDTH = 18;
constexpr int GLYPH_CELL_HEIGHT = 19;

// The HUD's missile sign and the menu marker, as font bytes.
constexpr unsigned char MISSILE_SIGN = 0xB5;
constexpr unsigned char MENU_MARKER = 0xF9;

struct GlyphCell {
    int left = 0;
    int top = 0;
};

// Texture coordinates of one glyph; t = 0 is the picture's bottom row.
struct GlyphTexCoords {
    double sLeft = 0;
    double sRight = 0;
    double tTop = 0;
    double tBottom = 0;
};

// Where a character's glyph sits in the font; characters without a glyph get the blank
// default cell.
GlyphCell glyphCell(unsigned char c);
GlyphTexCoords glyphTexCoords(unsigned char c);

// Every 2-D overlay (text, the menu's and the loading screen's pictures) lies on this
// eye-space plane, which the 45-degree 4/3 projection shows as very nearly the whole screen.
constexpr float OVERLAY_PLANE_Z = -100.0f;

// Screen fractions to the overlay plane.
double screenToEyeX(double x);
double screenToEyeY(double y);

// The horizontal span of character `index` of a text of `length` characters in x1..x2:
// equal cells, the glyph filling the first 90 % of its cell.
struct GlyphSpan {
    double x1 = 0;
    double x2 = 0;
};
GlyphSpan glyphSpan(double x1, double x2, int length, int index);

// Creates the font texture (black transparent, glyphs at 200/255) from a BMP file.
void loadFont(const char* path);
GLuint fontTexture();
// Lets drawing tests supply their own font texture.
void setFontTexture(GLuint texture);

// Additive: text brightens what is behind it, never darkens. Leaves the colour in effect,
// blending off and depth testing on.
void drawText(double x1, double y1, double x2, double y2, const char* text, double r, double g, double b);
// How a batch's texts look: plain, or with a thin dark rim round every glyph that keeps them
// readable over snow and white paint. Inside the rim a glyph is exactly the plain one, added
// to what lies behind it; over black the rim changes nothing. Outlined texts use the depth
// buffer for a mask and leave it marked: they are for the last drawing of a frame.
enum class TextLook { Plain, Outlined };
// The outline's reach, in screen fractions (two pixels of the 1024 x 768 screen).
constexpr double OUTLINE_REACH_X = 2.0 / 1024.0;
constexpr double OUTLINE_REACH_Y = 2.0 / 768.0;

// While a TextBatch lives, drawText only queues its glyphs; the batch's end sends every queued
// glyph in one primitive, in the same order with the same floats and colours, and leaves the
// state one drawText leaves. A head-up display of a dozen texts then costs the driver one call
// (two when outlined: every outline first, then every glyph).
class TextBatch {
public:
    explicit TextBatch(TextLook look = TextLook::Plain);
    ~TextBatch();
    TextBatch(const TextBatch&) = delete;
    TextBatch& operator=(const TextBatch&) = delete;
};
// What one drawText was asked to write.
struct TextRecord {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string text;
    double r = 0, g = 0, b = 0;
};
// While a log is set, every drawText also appends its arguments to it; null stops that. Lets
// the benchmark rebuild a frame's texts in the fastest way OpenGL offers.
void recordTexts(std::vector<TextRecord>* log);

// One glyph stretched over one rectangle, over everything (depth test off while drawn).
void drawGlyph(double x1, double y1, double x2, double y2, unsigned char c);
