#include "assets/Mesh.h"

#include "assets/Texture.h"

Mesh::~Mesh() {
    // Only what was made: a mesh that never loaded needs no GL context to die.
    releaseGl();
}

void Mesh::releaseGl() {
    for (MeshMaterial& material : materials) {
        if (material.texture != 0) glDeleteTextures(1, &material.texture);
        material.texture = 0;
    }
    if (displayList_ != 0) glDeleteLists(displayList_, 1);
    displayList_ = 0;
}

void Mesh::loadTextures() {
    for (MeshMaterial& material : materials)
        material.texture = material.textureFile.empty() ? 0 : createTexture(material.textureFile.c_str(), 255, 255);
}

void Mesh::compileDrawing() {
    if (displayList_ != 0) glDeleteLists(displayList_, 1);
    displayList_ = glGenLists(1);
    if (displayList_ == 0) return;  // no list to be had: draw goes on sending vertices
    glNewList(displayList_, GL_COMPILE);
    sendGroups();
    glEndList();
}

void Mesh::draw() const { drawRestoringTexturing(displayList_ != 0); }

void Mesh::drawImmediately() const { drawRestoringTexturing(false); }

void Mesh::drawRestoringTexturing(bool fromList) const {
    // The groups switch texturing on and off; what it was before is restored here, since a
    // display list cannot ask.
    const bool texturing = glIsEnabled(GL_TEXTURE_2D);
    if (fromList)
        glCallList(displayList_);
    else
        sendGroups();
    if (texturing)
        glEnable(GL_TEXTURE_2D);
    else
        glDisable(GL_TEXTURE_2D);
}

void Mesh::sendGroups() const {
    const int vertexTotal = vertexCount();
    const int triangleTotal = triangleCount();

    for (const MeshGroup& group : groups) {
        const bool textured = group.material >= 0 && group.material < materialCount() &&
                              materials[group.material].texture != 0;
        if (textured) {
            glBindTexture(GL_TEXTURE_2D, materials[group.material].texture);
            glEnable(GL_TEXTURE_2D);
        } else {
            glDisable(GL_TEXTURE_2D);
        }

        glBegin(GL_TRIANGLES);
        for (int t : group.triangleIndices) {
            if (t < 0 || t >= triangleTotal) continue;
            const MeshTriangle& triangle = triangles[t];
            // Loaders reject such indices; a mesh filled by other means is still never read outside.
            bool inside = true;
            for (int n : triangle.vertexIndices) inside = inside && n >= 1 && n <= vertexTotal;
            if (!inside) continue;
            for (int k = 0; k < 3; ++k) {
                const MeshVertex& vertex = vertices[triangle.vertexIndices[k] - 1];
                glNormal3fv(vertex.normal);
                glTexCoord2f(triangle.u[k], triangle.v[k]);
                glVertex3fv(vertex.position);
            }
        }
        glEnd();
    }
}
