#include "assets/MdlFormat.h"

#include <fstream>
#include <limits>
#include <sstream>

namespace {

// Reads the items of one .mdl text in order. Each item skips the white space before it; a
// separator is any one non-blank character. Once an item fails, the stream stays failed.
class ItemReader {
public:
    explicit ItemReader(std::istream& in) : in(in) {}

    bool ok() const { return !in.fail(); }
    void sep(int count = 1) {
        char ignored;
        for (int i = 0; i < count; ++i) in >> ignored;
    }
    int integer() {
        int value = 0;
        in >> value;
        return value;
    }
    template <typename Real>
    Real real() {
        Real value = 0;
        in >> value;
        return value;
    }

    // sep real sep real sep real sep, with (x, y, z) turned from z up into y up.
    template <typename Real>
    void triple(Real converted[3], int trailingSeps) {
        Real file[3];
        for (Real& value : file) {
            sep();
            value = real<Real>();
        }
        sep(trailingSeps);
        converted[0] = file[0];
        converted[1] = file[2];
        converted[2] = -file[1];
    }

private:
    std::istream& in;
};

Vector3 readCorner(ItemReader& items, int trailingSeps) {
    double c[3];
    items.triple(c, trailingSeps);
    return Vector3(c[0], c[1], c[2]);
}

bool indexInRange(int index, int vertexCount) { return index >= 1 && index <= vertexCount; }

}  // namespace

bool parseMdl(std::istream& in, MdlData& out) {
    ItemReader items(in);
    MdlData data;

    const int vertexCount = items.integer();
    items.sep();
    const int triangleCount = items.integer();
    if (!items.ok() || vertexCount < 0 || triangleCount < 0) return false;

    data.box.corner0 = readCorner(items, 2);
    data.box.corner1 = readCorner(items, 1);

    // Grown as items arrive, never sized from the counts: a count larger than the file can
    // hold fails on the first missing item instead of allocating for it.
    for (int i = 0; i < vertexCount && items.ok(); ++i) {
        MeshVertex vertex{};
        items.triple(vertex.position, 2);
        data.vertices.push_back(vertex);
    }
    for (int i = 0; i < vertexCount && items.ok(); ++i) items.triple(data.vertices[i].normal, 2);

    for (int i = 0; i < triangleCount && items.ok(); ++i) {
        MeshTriangle triangle{};
        for (int& index : triangle.vertexIndices) {
            items.sep();
            index = items.integer();
        }
        items.sep(2);
        items.integer();  // two integers the game has no use for
        items.sep();
        items.integer();
        items.sep(1);
        for (int k = 0; k < 3; ++k) {
            items.sep();
            triangle.u[k] = items.real<float>();
            items.sep();
            triangle.v[k] = items.real<float>();
            items.sep();
            items.real<float>();  // a third texture coordinate, unused
            items.sep(k < 2 ? 2 : 1);
        }
        for (int index : triangle.vertexIndices)
            if (!indexInRange(index, vertexCount)) return false;
        data.triangles.push_back(triangle);
    }
    if (!items.ok()) return false;

    out = std::move(data);
    return true;
}

namespace {

// Enough digits that every float and double reads back to the same value.
template <typename Real>
void writeTriple(std::ostream& text, const Real game[3]) {
    text << '(' << game[0] << ',' << -game[2] << ',' << game[1] << ')';
}

}  // namespace

std::string formatMdl(const MdlData& data) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(std::numeric_limits<double>::max_digits10);

    text << data.vertices.size() << ';' << data.triangles.size() << '\n';
    const double corner0[3] = {data.box.corner0.x, data.box.corner0.y, data.box.corner0.z};
    const double corner1[3] = {data.box.corner1.x, data.box.corner1.y, data.box.corner1.z};
    writeTriple(text, corner0);
    text << ',';
    writeTriple(text, corner1);
    text << '\n';

    text.precision(std::numeric_limits<float>::max_digits10);
    for (const MeshVertex& vertex : data.vertices) {
        writeTriple(text, vertex.position);
        text << ",\n";
    }
    for (const MeshVertex& vertex : data.vertices) {
        writeTriple(text, vertex.normal);
        text << ",\n";
    }
    for (const MeshTriangle& triangle : data.triangles) {
        const int* n = triangle.vertexIndices;
        text << '(' << n[0] << ',' << n[1] << ',' << n[2] << ")(0,0)";
        for (int k = 0; k < 3; ++k) text << '(' << triangle.u[k] << ',' << triangle.v[k] << ",0)" << (k < 2 ? "," : "\n");
    }
    return text.str();
}

bool writeMdl(const char* path, const MdlData& data) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file << formatMdl(data);
    file.close();
    return static_cast<bool>(file);
}
