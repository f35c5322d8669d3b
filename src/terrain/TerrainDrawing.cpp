#include "terrain/Terrain.h"

#include "motion/Body.h"

#include <algorithm>
#include <cmath>

namespace {
// The fog colour is also the clear colour, so the ground fades into the background.
const GLfloat FOG_COLOUR[4] = {0.149f, 0.192f, 0.262f, 1.0f};
constexpr GLfloat FOG_DENSITY = 0.55f;  // has no effect in linear mode
constexpr double CONE_COSINE = 0.707106781;  // 45 degrees around the view direction
constexpr double SKY_CENTRE_HEIGHT = 30000.0;

void setUpFog(double viewDistance) {
    glClearColor(FOG_COLOUR[0], FOG_COLOUR[1], FOG_COLOUR[2], FOG_COLOUR[3]);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, FOG_COLOUR);
    glFogf(GL_FOG_DENSITY, FOG_DENSITY);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, static_cast<float>(viewDistance / 10.0));
    glFogf(GL_FOG_END, static_cast<float>(viewDistance));
    glEnable(GL_FOG);
}

struct SkyCorner {
    GLfloat s = 0, t = 0;
    GLfloat x = 0, y = 0, z = 0;
};

void drawSkyFace(GLuint texture, const SkyCorner (&corners)[4]) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (const SkyCorner& c : corners) {
        glTexCoord2f(c.s, c.t);
        glVertex3f(c.x, c.y, c.z);
    }
    glEnd();
}
}

void Terrain::prepareGroundState() const {
    glBindTexture(GL_TEXTURE_2D, grassTexture_);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    setUpFog(viewDistance_);
}

void Terrain::draw(const Body& camera) {
    prepareGroundState();
    const GroundArrays& ground = groundArrays(camera);
    lastDrawnTriangles_ = static_cast<int>(ground.indices.size() / 3);
    ground.draw();
}

const GroundArrays& Terrain::groundArrays(const Body& camera) {
    // Each vertex sent once however many triangles share it: the same triangles in the same
    // order, with the same floats, give the same picture as one glBegin per triangle, for a
    // fraction of the driver's work.
    ground_.vertices.clear();
    ground_.indices.clear();
    const std::vector<int>& corners = visibleTriangles(camera);
    GLuint sent = 0;
    for (const int i : corners) {
        GLuint& slot = groundSlots_[static_cast<std::size_t>(i)];  // its place in the array, plus one
        if (slot == 0) {
            slot = ++sent;
            // One copy of the grass picture stretched over the whole terrain.
            const Vector3& n = normals_[i];
            const Vector3& v = vertices_[i];
            ground_.vertices.insert(ground_.vertices.end(),
                                    {static_cast<float>(i % columns_) / columns_, static_cast<float>(i / columns_) / rows_,
                                     static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z),
                                     static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)});
        }
        ground_.indices.push_back(slot - 1);
    }
    for (const int i : corners) groundSlots_[static_cast<std::size_t>(i)] = 0;
    return ground_;
}

void GroundArrays::draw() const {
    if (indices.empty()) return;
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, vertices.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, indices.data());
    glPopClientAttrib();
}

namespace {
constexpr unsigned char IN_CONE = 1, FACING = 2;
const double CONE_SINE = std::sqrt(1.0 - CONE_COSINE * CONE_COSINE);
// What the block test allows for rounding, as a cosine: the per-vertex tests round by some
// 1e-15, and the odd block kept needlessly costs nothing.
constexpr double CONE_MARGIN = 1e-6;

// Whether a vertex inside the box may pass the per-vertex cone test. Seen from the eye, the
// box's bounding sphere (widened against rounding) spans `spread` about the direction to its
// centre, so no point of it lies nearer the view direction than the angle to the centre less
// the spread: the block is passed over only when that angle exceeds the cone's own angle
// plus the spread. An eye within the sphere, or anything not a number, keeps the block and
// leaves the choice to the per-vertex tests.
bool mayReachCone(const Box& box, const Vector3& eye, const Vector3& viewDirection) {
    const Vector3 toCentre = (box.corner0 + box.corner1) * 0.5 - eye;
    const double radius = 0.5 * length(box.corner1 - box.corner0) * (1.0 + 1e-6) + 1.0;
    const double distance = length(toCentre);
    if (!(distance > radius)) return true;
    const double spreadSine = radius / distance;
    const double spreadCosine = std::sqrt(1.0 - spreadSine * spreadSine);
    const double edgeCosine = CONE_COSINE * spreadCosine - CONE_SINE * spreadSine;  // cos(cone + spread)
    return !(dot(toCentre, viewDirection) / distance < edgeCosine - CONE_MARGIN);
}
}

void Terrain::testVertices(const Vector3& eye, const Vector3& viewDirection, const int (&rows)[2],
                           const int (&cols)[2]) {
    // What a triangle's corners say about it, found once per vertex rather than once for each
    // of the six triangles that share it.
    for (int row = rows[0]; row <= rows[1]; ++row) {
        for (int col = cols[0]; col <= cols[1]; ++col) {
            const int i = index(row, col);
            const Vector3 toVertex = vertices_[i] - eye;
            const Vector3 direction = toVertex / length(toVertex);
            const bool inCone = dot(direction, viewDirection) > CONE_COSINE;
            const bool facing = dot(normals_[i], direction) < 0.0;
            vertexTests_[i] = static_cast<unsigned char>((inCone ? IN_CONE : 0) | (facing ? FACING : 0));
        }
    }
}

const std::vector<int>& Terrain::visibleTriangles(const Body& camera) {
    visibleCorners_.clear();
    int colMin, rowMin, colMax, rowMax;
    visibleRange(camera, colMin, rowMin, colMax, rowMax);
    if (colMin >= colMax || rowMin >= rowMax) return visibleCorners_;  // not one cell
    const Vector3 eye = camera.position();
    const Vector3 ahead = camera.lookPoint() - eye;
    const Vector3 viewDirection = ahead / length(ahead);

    // Kept when one corner lies strictly inside the cone and one strictly faces the camera.
    auto consider = [&](int a, int b, int c) {
        if ((vertexTests_[a] | vertexTests_[b] | vertexTests_[c]) != (IN_CONE | FACING)) return;
        visibleCorners_.push_back(a);
        visibleCorners_.push_back(b);
        visibleCorners_.push_back(c);
    };

    // A row of blocks at a time: the blocks that may reach the cone get their vertices tested,
    // then their cells are taken row by row across all of them, so the triangles come in the
    // grid's own order. A block passed over holds no vertex inside the cone, hence no triangle.
    for (int blockRow = rowMin / BLOCK_CELLS; blockRow * BLOCK_CELLS < rowMax; ++blockRow) {
        const int rows[2] = {std::max(rowMin, blockRow * BLOCK_CELLS), std::min(rowMax, (blockRow + 1) * BLOCK_CELLS)};
        keptColumnSpans_.clear();
        for (int blockCol = colMin / BLOCK_CELLS; blockCol * BLOCK_CELLS < colMax; ++blockCol) {
            const Box& box = blockBoxes_[static_cast<std::size_t>(blockRow) * blockColumns_ + blockCol];
            if (!mayReachCone(box, eye, viewDirection)) continue;
            const int cols[2] = {std::max(colMin, blockCol * BLOCK_CELLS),
                                 std::min(colMax, (blockCol + 1) * BLOCK_CELLS)};
            testVertices(eye, viewDirection, rows, cols);
            if (!keptColumnSpans_.empty() && keptColumnSpans_.back() == cols[0]) {
                keptColumnSpans_.back() = cols[1];  // joins the block before it
            } else {
                keptColumnSpans_.push_back(cols[0]);
                keptColumnSpans_.push_back(cols[1]);
            }
        }
        for (int row = rows[0]; row < rows[1]; ++row) {
            for (std::size_t k = 0; k < keptColumnSpans_.size(); k += 2) {
                for (int col = keptColumnSpans_[k]; col < keptColumnSpans_[k + 1]; ++col) {
                    const int p = index(row, col), q = p + 1, r = p + columns_, t = r + 1;
                    consider(r, q, p);
                    consider(q, r, t);
                }
            }
        }
    }
    return visibleCorners_;
}

int Terrain::lastDrawnTriangles() const { return lastDrawnTriangles_; }

void Terrain::drawSky() {
    // A fixed box sized from the grid, centred on x = z = 0; it has no floor.
    const GLfloat width = static_cast<GLfloat>(columns_ * gridSpacing_);
    const GLfloat x0 = -width, x1 = x0 + 2 * width;
    const GLfloat y0 = static_cast<GLfloat>(-width / 2 + SKY_CENTRE_HEIGHT), y1 = y0 + width;
    const GLfloat z0 = -width, z1 = z0 + 2 * width;

    glDisable(GL_FOG);

    // Only this face's picture is clamped, so its edges do not bleed in from the other side.
    glBindTexture(GL_TEXTURE_2D, skyTextures_[1]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    drawSkyFace(skyTextures_[1], {{0, 0, x0, y0, z1}, {0, 1, x0, y1, z1}, {1, 1, x1, y1, z1}, {1, 0, x1, y0, z1}});
    drawSkyFace(skyTextures_[0], {{1, 0, x0, y0, z0}, {1, 1, x0, y1, z0}, {0, 1, x1, y1, z0}, {0, 0, x1, y0, z0}});
    drawSkyFace(skyTextures_[4], {{0, 0, x0, y0, z0}, {0, 1, x0, y1, z0}, {1, 1, x0, y1, z1}, {1, 0, x0, y0, z1}});
    drawSkyFace(skyTextures_[5], {{0, 0, x1, y0, z1}, {0, 1, x1, y1, z1}, {1, 1, x1, y1, z0}, {1, 0, x1, y0, z0}});
    drawSkyFace(skyTextures_[3], {{0, 0, x0, y1, z0}, {0, 1, x0, y1, z1}, {1, 1, x1, y1, z1}, {1, 0, x1, y1, z0}});

    glEnable(GL_FOG);
}
