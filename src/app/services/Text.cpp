#include "app/services/Text.h"

#include "assets/Texture.h"

#include <cstring>

namespace {
GLuint font = 0;
std::vector<TextRecord>* textLog = nullptr;

constexpr double GLYPH_FILL = 0.9;  // the rest of each cell is spacing
}

GlyphCell glyphCell(unsigned char c) {
    if (c >= '0' && c <= '9') return {9 + 18 * (c - '0'), 9};
    if (c >= 'A' && c <= 'M') return {9 + 18 * (c - 'A'), 59};
    if (c >= 'N' && c <= 'Z') return {9 + 18 * (c - 'N'), 84};
    switch (c) {
    case '"': return {228, 209};
    case '\'': return {247, 209};
    case '.': return {47, 235};
    case '$': return {9, 104};
    case '&': return {27, 104};
    case MISSILE_SIGN: return {45, 104};
    case MENU_MARKER: return {9, 210};
    default: return {260, 6};
    }
}

GlyphTexCoords glyphTexCoords(unsigned char c) {
    const GlyphCell cell = glyphCell(c);
    const double width = FONT_PICTURE_WIDTH;
    const double height = FONT_PICTURE_HEIGHT;
    return {cell.left / width, (cell.left + GLYPH_CELL_WIDTH) / width, (height - cell.top) / height,
            (height - cell.top - GLYPH_CELL_HEIGHT) / height};
}

double screenToEyeX(double x) { return 110.0 * x - 55.0; }
double screenToEyeY(double y) { return 40.0 - 80.0 * y; }

GlyphSpan glyphSpan(double x1, double x2, int length, int index) {
    const double cellWidth = (x2 - x1) / length;
    const double left = x1 + index * cellWidth;
    return {left, left + GLYPH_FILL * cellWidth};
}

void loadFont(const char* path) { font = createTexture(path, 255, 200); }
GLuint fontTexture() { return font; }
void setFontTexture(GLuint texture) { font = texture; }
void recordTexts(std::vector<TextRecord>* log) { textLog = log; }

namespace {
// One glyph's four corners, inside a glBegin (GL_QUADS) and under the identity model-view.
void sendGlyphQuad(double x1, double y1, double x2, double y2, unsigned char c) {
    const float left = static_cast<float>(screenToEyeX(x1));
    const float top = static_cast<float>(screenToEyeY(y1));
    const float right = static_cast<float>(screenToEyeX(x2));
    const float bottom = static_cast<float>(screenToEyeY(y2));
    const GlyphTexCoords tex = glyphTexCoords(c);
    const float sLeft = static_cast<float>(tex.sLeft);
    const float sRight = static_cast<float>(tex.sRight);
    const float tTop = static_cast<float>(tex.tTop);
    const float tBottom = static_cast<float>(tex.tBottom);
    glTexCoord2f(sLeft, tTop);
    glVertex3f(left, top, OVERLAY_PLANE_Z);
    glTexCoord2f(sLeft, tBottom);
    glVertex3f(left, bottom, OVERLAY_PLANE_Z);
    glTexCoord2f(sRight, tBottom);
    glVertex3f(right, bottom, OVERLAY_PLANE_Z);
    glTexCoord2f(sRight, tTop);
    glVertex3f(right, top, OVERLAY_PLANE_Z);
}

struct QueuedGlyph {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    unsigned char c = 0;
};
struct QueuedText {
    float r = 0, g = 0, b = 0;
    std::size_t end = 0;  // one past its last glyph in the queue
};
bool batching = false;
TextLook batchLook = TextLook::Plain;
std::vector<QueuedGlyph> glyphQueue;
std::vector<QueuedText> textQueue;

void sendQueuedGlyphs(double dx, double dy) {
    glBegin(GL_QUADS);
    for (const QueuedGlyph& glyph : glyphQueue)
        sendGlyphQuad(glyph.x1 + dx, glyph.y1 + dy, glyph.x2 + dx, glyph.y2 + dy, glyph.c);
    glEnd();
}

// Lit texels of the font are the ones under full opacity (loadFont makes black opaque and
// the glyphs 200/255); a filtered texel mostly inside a glyph stays below this, and the rim
// darkens the soft edge round it.
constexpr GLfloat LIT_TEXEL_ALPHA_BELOW = 0.85f;

// A dark rim round every queued glyph, outside it only, so that inside it the glyph still
// adds its colour to the world as plain text does. The glyphs' own texels first mark the depth
// buffer with 0 (the world never reaches that depth); then each glyph's shape, moved to the
// eight points round it, multiplies what lies behind by one less its brightness, wherever
// that mark is not. The depth buffer is the world's and nothing draws after the head-up display.
void sendOutlines() {
    glDepthRange(0.0, 0.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_ALWAYS);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_LESS, LIT_TEXEL_ALPHA_BELOW);
    glColor3f(1.0f, 1.0f, 1.0f);
    sendQueuedGlyphs(0.0, 0.0);
    glDisable(GL_ALPHA_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_NOTEQUAL);
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    for (int sx = -1; sx <= 1; ++sx)
        for (int sy = -1; sy <= 1; ++sy)
            if (sx != 0 || sy != 0) sendQueuedGlyphs(sx * OUTLINE_REACH_X, sy * OUTLINE_REACH_Y);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glDepthRange(0.0, 1.0);
    glDisable(GL_DEPTH_TEST);
}

// The glyphs of the queued texts share one primitive: the same quads in the same order as one
// glyph at a time, for a fraction of the driver's work.
void sendQueue() {
    if (textQueue.empty()) return;
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, font);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    if (batchLook == TextLook::Outlined) sendOutlines();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBegin(GL_QUADS);
    std::size_t next = 0;
    for (const QueuedText& text : textQueue) {
        glColor3f(text.r, text.g, text.b);
        for (; next < text.end; ++next) {
            const QueuedGlyph& glyph = glyphQueue[next];
            sendGlyphQuad(glyph.x1, glyph.y1, glyph.x2, glyph.y2, glyph.c);
        }
    }
    glEnd();
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glyphQueue.clear();
    textQueue.clear();
}
}

TextBatch::TextBatch(TextLook look) {
    batching = true;
    batchLook = look;
}

TextBatch::~TextBatch() {
    batching = false;
    sendQueue();
    batchLook = TextLook::Plain;
}

void drawText(double x1, double y1, double x2, double y2, const char* text, double r, double g, double b) {
    if (textLog != nullptr) textLog->push_back(TextRecord{x1, y1, x2, y2, text, r, g, b});
    const int length = static_cast<int>(std::strlen(text));
    for (int i = 0; i < length; ++i) {
        const GlyphSpan span = glyphSpan(x1, x2, length, i);
        glyphQueue.push_back({span.x1, y1, span.x2, y2, static_cast<unsigned char>(text[i])});
    }
    textQueue.push_back({static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), glyphQueue.size()});
    if (!batching) sendQueue();
}

void drawGlyph(double x1, double y1, double x2, double y2, unsigned char c) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_QUADS);
    sendGlyphQuad(x1, y1, x2, y2, c);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
