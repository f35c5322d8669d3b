#pragma once

#include "geometry/Box.h"

#include <GL/gl.h>

#include <string>
#include <vector>

struct MeshGroup {
    int material = 0;  // index into the materials; negative: no texture
    std::vector<int> triangleIndices;
};

struct MeshMaterial {
    std::string textureFile;  // needed only while loading
    GLuint texture = 0;       // 0: none
};

struct MeshTriangle {
    float u[3]{};
    float v[3]{};
    int vertexIndices[3]{};  // 1-based: n is vertices[n - 1]
};

struct MeshVertex {
    float position[3]{};  // game coordinates, y up
    float normal[3]{};
};

// A textured triangle mesh. Abstract: each file format is a subclass with its own load.
class Mesh {
public:
    Mesh() = default;
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;
    // Deletes the material textures and the compiled drawing.
    virtual ~Mesh();

    // Path without extension; false when the mesh could not be read (it then stays empty).
    virtual bool load(const char* path) = 0;

    // Draws with the current matrices and colour; leaves GL_TEXTURE_2D as it found it.
    // Calls the compiled drawing when there is one, otherwise sends every vertex.
    void draw() const;
    // The same picture vertex by vertex, whether compiled or not.
    void drawImmediately() const;
    // Records the drawing into a display list, replacing any earlier one, so that draw no
    // longer sends each vertex every frame. Needs a current OpenGL context and the textures.
    void compileDrawing();
    GLuint displayList() const { return displayList_; }
    Box boundingBox() const { return box; }
    // Creates each material's texture from its file.
    void loadTextures();

    int groupCount() const { return static_cast<int>(groups.size()); }
    int materialCount() const { return static_cast<int>(materials.size()); }
    int triangleCount() const { return static_cast<int>(triangles.size()); }
    int vertexCount() const { return static_cast<int>(vertices.size()); }
    const std::vector<MeshGroup>& meshGroups() const { return groups; }
    const std::vector<MeshMaterial>& meshMaterials() const { return materials; }
    const std::vector<MeshTriangle>& meshTriangles() const { return triangles; }
    const std::vector<MeshVertex>& meshVertices() const { return vertices; }

protected:
    // Deletes the textures and the compiled drawing of the mesh loaded so far, before a
    // second load replaces it. Touches OpenGL only for what was made.
    void releaseGl();

    std::vector<MeshGroup> groups;
    std::vector<MeshMaterial> materials;
    std::vector<MeshTriangle> triangles;
    std::vector<MeshVertex> vertices;
    Box box{Vector3(0, 0, 0), Vector3(0, 0, 0)};

private:
    // Groups and triangles, without the texturing switch around them.
    void sendGroups() const;
    // The compiled list or every vertex, leaving texturing on or off as it was.
    void drawRestoringTexturing(bool fromList) const;

    GLuint displayList_ = 0;  // 0: not compiled
};
