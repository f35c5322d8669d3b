#pragma once

#include "geometry/Box.h"
#include "geometry/Vector3.h"

#include <GL/gl.h>

#include <array>
#include <string>
#include <vector>

class Body;
class Image;

constexpr int SKY_FACES = 6;
// Sky face 0 .. 5 of a circuit's sky prefix.
std::string skyFacePath(const char* skyPrefix, int face);

// Ground triangles the fastest way OpenGL 1.1 takes them: each vertex once (texture coordinate,
// normal and position, as glInterleavedArrays (GL_T2F_N3F_V3F) wants them) and the triangles'
// corners as indices into it.
struct GroundArrays {
    std::vector<GLfloat> vertices;
    std::vector<GLuint> indices;
    // In one glDrawElements; the client arrays are left as they were.
    void draw() const;
};

struct BonusMarker {
    Vector3 position{0, 0, 0};
    int value = 0;  // the green byte, 1..255
};

// The ground of a circuit, from a heightmap whose blue byte is height, red byte a checkpoint
// (255 - red is its number) and green byte a bonus marker. Owns its grass and sky textures.
class Terrain {
public:
    static constexpr int SLOTS = 255;
    // Most samples a heightmap may have on a side: 64 times the area of the shipped circuits.
    // The grid keeps three vectors per sample, so a bigger map is refused whole.
    static constexpr int MAX_GRID_SIDE = 2048;
    // Checkpoints and bonus markers float this far above the ground they are painted on.
    static constexpr double MARKER_LIFT = 3000.0;

    // Loads the heightmap and creates the grass and six sky textures ("%s%d.bmp" of skyPrefix).
    // A heightmap over MAX_GRID_SIDE is refused with one line on stderr: the terrain is empty,
    // as without a heightmap. Needs a current OpenGL context.
    Terrain(Vector3 origin, const char* heightmapPath, const char* grassPath, const char* skyPrefix,
            double heightScale, double gridSpacing);
    // The grid, checkpoints and markers alone, without textures: needs no OpenGL. A heightmap
    // over MAX_GRID_SIDE gives the empty terrain, silently.
    Terrain(Vector3 origin, const Image& heightmap, double heightScale, double gridSpacing);
    Terrain(const Terrain&) = delete;
    Terrain& operator=(const Terrain&) = delete;
    ~Terrain();

    Vector3 checkpoint(int i) const;
    int checkpointCount() const;
    Vector3 bonusMarkerPosition(int i) const;
    int bonusMarkerValue(int i) const;
    int bonusMarkerCount() const;
    void setViewDistance(double distance);
    double getViewDistance() const;

    int columns() const;
    int rows() const;
    const Vector3& vertex(int row, int col) const;
    const Vector3& normal(int row, int col) const;

    // The grid rectangle within the view distance of the camera.
    void visibleRange(const Body& camera, int& colMin, int& rowMin, int& colMax, int& rowMax) const;
    // The fogged ground within the view distance and the camera's view cone; no sky.
    void draw(const Body& camera);
    // The OpenGL state the ground is drawn in: grass texture, white, texturing and fog.
    void prepareGroundState() const;
    // The culling of draw without any OpenGL: the triangles draw sends from this camera, in
    // its order, as three grid indices (row * columns + col) each. Valid until the next call.
    const std::vector<int>& visibleTriangles(const Body& camera);
    // Those triangles laid out as draw sends them. Valid until the next call.
    const GroundArrays& groundArrays(const Body& camera);
    // The five sky faces (the box has no floor) round the grid, unfogged.
    void drawSky();
    // Triangles the last draw sent.
    int lastDrawnTriangles() const;

    // The ground point with the position's x and z and the cell's unit normal.
    Vector3 groundAt(Vector3 position, Vector3& normal) const;

private:
    // Grid, normals and markers from the heightmap; the GL constructor shares it. False, with
    // the empty grid, for a heightmap over MAX_GRID_SIDE.
    bool buildGrid(const Image& heightmap);
    void placeVertex(int row, int col, unsigned blue);
    void recordMarkers(int row, int col, unsigned red, unsigned green);
    Vector3 vertexNormal(int row, int col) const;
    // The bounding box of each block of BLOCK_CELLS x BLOCK_CELLS cells, from its vertices.
    void boundBlocks();
    // Runs the per-vertex tests over vertex rows rows[0]..rows[1] and columns cols[0]..cols[1].
    void testVertices(const Vector3& eye, const Vector3& viewDirection, const int (&rows)[2], const int (&cols)[2]);
    int index(int row, int col) const { return row * columns_ + col; }

    GLuint grassTexture_ = 0;
    std::array<GLuint, SKY_FACES> skyTextures_{};
    double viewDistance_ = 10000000.0;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<Vector3> vertices_;
    std::vector<Vector3> normals_;
    std::vector<int> visibleCorners_;      // scratch of draw: the triangles it sends
    std::vector<unsigned char> vertexTests_;  // scratch of draw: each vertex in the cone, facing
    // Blocks of cells whose boxes let draw pass over most of the view square without looking
    // at its vertices: row-major, blockColumns_ a row.
    static constexpr int BLOCK_CELLS = 16;
    int blockColumns_ = 0;
    std::vector<Box> blockBoxes_;
    // Scratch of draw: the cell columns of one row of blocks worth a look, as first and end
    // column of each span of adjacent kept blocks.
    std::vector<int> keptColumnSpans_;
    GroundArrays ground_;             // scratch of draw: what it sends
    std::vector<GLuint> groundSlots_;  // scratch of draw: zero but for the vertices being sent
    Vector3 origin_{0, 0, 0};
    double gridSpacing_ = 0;
    double heightScale_ = 0;
    std::vector<Vector3> checkpoints_;
    int checkpointCount_ = 0;
    std::vector<BonusMarker> bonusMarkers_;
    int bonusMarkerCount_ = 0;
    int lastDrawnTriangles_ = 0;
};

// The terrain of the current race, through which the pods find the checkpoints and the
// bonuses their markers (the ground contacts get the race's terrain directly). Set by race set-up (tests set it directly).
Terrain* currentTerrain();
void setCurrentTerrain(Terrain* terrain);
