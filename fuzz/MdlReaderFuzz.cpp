// Any bytes as a .mdl file: a rejected file leaves the output alone; an accepted one is a sound
// mesh (every index inside 1 .. V) that the writer turns back into the same mesh.
#include "assets/MdlFormat.h"

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Bitwise, so that -0 and 0 count as different: the writer must keep every value exactly.
template <typename T>
bool sameBytes(const std::vector<T>& a, const std::vector<T>& b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool sameMesh(const MdlData& a, const MdlData& b) {
    if (a.box.corner0 != b.box.corner0 || a.box.corner1 != b.box.corner1) return false;
    return sameBytes(a.vertices, b.vertices) && sameBytes(a.triangles, b.triangles);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    MdlData mesh;
    mesh.box.corner0 = Vector3(7, 7, 7);
    if (!parseMdl(in, mesh)) {
        if (!mesh.vertices.empty() || !mesh.triangles.empty() || mesh.box.corner0 != Vector3(7, 7, 7))
            __builtin_trap();
        return 0;
    }

    const int vertexCount = static_cast<int>(mesh.vertices.size());
    for (const MeshTriangle& triangle : mesh.triangles)
        for (int index : triangle.vertexIndices)
            if (index < 1 || index > vertexCount) __builtin_trap();

    std::istringstream written(formatMdl(mesh));
    MdlData back;
    if (!parseMdl(written, back) || !sameMesh(mesh, back)) __builtin_trap();
    return 0;
}
