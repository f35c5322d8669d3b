#include "terrain/Terrain.h"

#include "assets/Image.h"
#include "assets/Texture.h"

#include <algorithm>
#include <cstdio>

namespace {
const Vector3 ZERO(0.0, 0.0, 0.0);
// Border vertices have too few neighbours for an averaged normal; they all get this one.
const Vector3 BORDER_NORMAL(0.0, 0.0, 1.0);
}

std::string skyFacePath(const char* skyPrefix, int face) { return std::string(skyPrefix) + std::to_string(face) + ".bmp"; }

Terrain::Terrain(Vector3 origin, const char* heightmapPath, const char* grassPath, const char* skyPrefix,
                 double heightScale, double gridSpacing)
    : origin_(origin), gridSpacing_(gridSpacing), heightScale_(heightScale) {
    {
        const Image heightmap(heightmapPath);  // released before the textures are made
        if (!buildGrid(heightmap))
            std::fprintf(stderr, "%s: heightmap of %d x %d samples refused; the terrain takes at most %d a side\n",
                         heightmapPath, heightmap.getWidth(), heightmap.getHeight(), MAX_GRID_SIDE);
    }
    glEnable(GL_TEXTURE_2D);
    grassTexture_ = createTexture(grassPath, 255, 255);
    for (int face = 0; face < SKY_FACES; ++face) {
        skyTextures_[face] = createTexture(skyFacePath(skyPrefix, face).c_str(), 255, 255);
    }
}

Terrain::Terrain(Vector3 origin, const Image& heightmap, double heightScale, double gridSpacing)
    : origin_(origin), gridSpacing_(gridSpacing), heightScale_(heightScale) {
    buildGrid(heightmap);
}

Terrain::~Terrain() {
    // A GL-free terrain never made textures and must not touch OpenGL.
    for (GLuint& name : skyTextures_)
        if (name != 0) glDeleteTextures(1, &name);
    if (grassTexture_ != 0) glDeleteTextures(1, &grassTexture_);
}

bool Terrain::buildGrid(const Image& heightmap) {
    const bool fits = heightmap.getWidth() <= MAX_GRID_SIDE && heightmap.getHeight() <= MAX_GRID_SIDE;
    columns_ = fits ? heightmap.getWidth() : 0;
    rows_ = fits ? heightmap.getHeight() : 0;
    const std::size_t count = static_cast<std::size_t>(rows_) * columns_;
    vertices_.assign(count, ZERO);
    normals_.assign(count, ZERO);
    // Slots no pixel names stay zero rather than undefined.
    checkpoints_.assign(SLOTS, ZERO);
    bonusMarkers_.assign(SLOTS, BonusMarker{ZERO, 0});
    checkpointCount_ = 0;
    bonusMarkerCount_ = 0;

    for (int row = 0; row < rows_; ++row) {
        for (int col = 0; col < columns_; ++col) {
            std::uint8_t red, green, blue, alpha;
            unpackColour(heightmap.getPixel(col, row), &red, &green, &blue, &alpha);
            placeVertex(row, col, blue);
            recordMarkers(row, col, red, green);
        }
    }

    for (int row = 0; row < rows_; ++row) {
        for (int col = 0; col < columns_; ++col) {
            const bool border = row == 0 || row == rows_ - 1 || col == 0 || col == columns_ - 1;
            normals_[index(row, col)] = border ? BORDER_NORMAL : vertexNormal(row, col);
        }
    }
    vertexTests_.assign(count, 0);
    groundSlots_.assign(count, 0);
    boundBlocks();
    return fits;
}

void Terrain::boundBlocks() {
    // Cells, not vertices, are split into blocks; a block's box holds the vertices of its cells,
    // so a block shares its edge vertices with its neighbours.
    auto blocksAlong = [](int vertices) { return vertices > 1 ? (vertices - 1 + BLOCK_CELLS - 1) / BLOCK_CELLS : 0; };
    blockColumns_ = blocksAlong(columns_);
    const int blockRows = blocksAlong(rows_);
    blockBoxes_.assign(static_cast<std::size_t>(blockRows) * blockColumns_, Box());
    for (int blockRow = 0; blockRow < blockRows; ++blockRow) {
        for (int blockCol = 0; blockCol < blockColumns_; ++blockCol) {
            const int row0 = blockRow * BLOCK_CELLS, row1 = std::min(row0 + BLOCK_CELLS, rows_ - 1);
            const int col0 = blockCol * BLOCK_CELLS, col1 = std::min(col0 + BLOCK_CELLS, columns_ - 1);
            Box box(vertices_[index(row0, col0)], vertices_[index(row0, col0)]);
            for (int row = row0; row <= row1; ++row) {
                for (int col = col0; col <= col1; ++col) {
                    const Vector3& v = vertices_[index(row, col)];
                    for (int axis = 0; axis < 3; ++axis) {
                        box.corner0[axis] = std::min(box.corner0[axis], v[axis]);
                        box.corner1[axis] = std::max(box.corner1[axis], v[axis]);
                    }
                }
            }
            blockBoxes_[static_cast<std::size_t>(blockRow) * blockColumns_ + blockCol] = box;
        }
    }
}

void Terrain::placeVertex(int row, int col, unsigned blue) {
    // Integer halves: the vertex (rows/2, columns/2) stands exactly above the origin.
    vertices_[index(row, col)] = Vector3((col - columns_ / 2) * gridSpacing_ + origin_.x,
                                         blue * heightScale_ / 255 + origin_.y,
                                         (row - rows_ / 2) * gridSpacing_ + origin_.z);
}

void Terrain::recordMarkers(int row, int col, unsigned red, unsigned green) {
    const Vector3 raised = vertices_[index(row, col)] + Vector3(0.0, MARKER_LIFT, 0.0);
    if (red != 0) {
        // Red 255 is checkpoint 0; a repeated red byte overwrites, yet still counts.
        checkpoints_[SLOTS - red] = raised;
        ++checkpointCount_;
    }
    // Markers beyond the slots are dropped: the first 255 in scan order are kept.
    if (green != 0 && bonusMarkerCount_ < SLOTS) {
        bonusMarkers_[bonusMarkerCount_] = BonusMarker{raised, static_cast<int>(green)};
        ++bonusMarkerCount_;
    }
}

Vector3 Terrain::vertexNormal(int row, int col) const {
    // The eight neighbours from +x turning through +z, -x and -z.
    static const int STEPS[8][2] = {{0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
    const Vector3& middle = vertices_[index(row, col)];
    Vector3 around[8];
    for (int d = 0; d < 8; ++d) around[d] = vertices_[index(row + STEPS[d][0], col + STEPS[d][1])] - middle;
    // The sum of the faces' cross products weights each triangle by its area; it points down.
    Vector3 sum(0.0, 0.0, 0.0);
    for (int d = 0; d < 8; ++d) sum += cross(around[d], around[(d + 1) % 8]);
    return -(sum / length(sum));
}

// The slot accessors answer zero outside the slots instead of reading past them: a heightmap
// that repeats red bytes counts more checkpoints than it fills.
Vector3 Terrain::checkpoint(int i) const { return i >= 0 && i < SLOTS ? checkpoints_[i] : ZERO; }
int Terrain::checkpointCount() const { return checkpointCount_; }

Vector3 Terrain::bonusMarkerPosition(int i) const {
    return i >= 0 && i < bonusMarkerCount_ ? bonusMarkers_[i].position : ZERO;
}
int Terrain::bonusMarkerValue(int i) const { return i >= 0 && i < bonusMarkerCount_ ? bonusMarkers_[i].value : 0; }
int Terrain::bonusMarkerCount() const { return bonusMarkerCount_; }

void Terrain::setViewDistance(double distance) { viewDistance_ = distance; }
double Terrain::getViewDistance() const { return viewDistance_; }

int Terrain::columns() const { return columns_; }
int Terrain::rows() const { return rows_; }
const Vector3& Terrain::vertex(int row, int col) const { return vertices_[index(row, col)]; }
const Vector3& Terrain::normal(int row, int col) const { return normals_[index(row, col)]; }
