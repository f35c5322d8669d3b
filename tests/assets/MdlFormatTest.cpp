#include "assets/MdlFormat.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Two vertices short of a square: three vertices, one triangle, in the file's z-up axes.
const char* const ONE_TRIANGLE =
    "3;1\n"
    "(-1,-2,-3),(1,2,3)\n"
    "(1,2,3),\n(4,5,6),\n(7,8,9),\n"
    "(0,0,1),\n(1,0,0),\n(0,1,0),\n"
    "(1,2,3)(0,0)(0.25,0.5,0),(0.75,1,0),(1,0.125,0)\n";

bool parse(const std::string& text, MdlData& out) {
    std::istringstream in(text);
    return parseMdl(in, out);
}

MdlData parsed(const std::string& text) {
    MdlData data;
    EXPECT_TRUE(parse(text, data)) << text;
    return data;
}

void expectSame(const MdlData& a, const MdlData& b) {
    EXPECT_EQ(a.box.corner0, b.box.corner0);
    EXPECT_EQ(a.box.corner1, b.box.corner1);
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    ASSERT_EQ(a.triangles.size(), b.triangles.size());
    for (std::size_t i = 0; i < a.vertices.size(); ++i)
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(a.vertices[i].position[c], b.vertices[i].position[c]);
            EXPECT_EQ(a.vertices[i].normal[c], b.vertices[i].normal[c]);
        }
    for (std::size_t i = 0; i < a.triangles.size(); ++i)
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(a.triangles[i].u[k], b.triangles[i].u[k]);
            EXPECT_EQ(a.triangles[i].v[k], b.triangles[i].v[k]);
            EXPECT_EQ(a.triangles[i].vertexIndices[k], b.triangles[i].vertexIndices[k]);
        }
}

std::string replaceAll(std::string text, char from, const std::string& to) {
    std::string out;
    for (char c : text) out += c == from ? to : std::string(1, c);
    return out;
}

}  // namespace

TEST(MdlReader, TurnsZUpIntoYUp) {
    MdlData data = parsed(ONE_TRIANGLE);
    EXPECT_EQ(data.box.corner0, Vector3(-1, -3, 2));
    EXPECT_EQ(data.box.corner1, Vector3(1, 3, -2));
    ASSERT_EQ(data.vertices.size(), 3u);
    const float* p = data.vertices[0].position;
    EXPECT_EQ(p[0], 1.0f);
    EXPECT_EQ(p[1], 3.0f);
    EXPECT_EQ(p[2], -2.0f);
    const float* n = data.vertices[0].normal;
    EXPECT_EQ(n[0], 0.0f);
    EXPECT_EQ(n[1], 1.0f);
    EXPECT_EQ(n[2], 0.0f);
    EXPECT_EQ(data.vertices[2].position[1], 9.0f);
}

TEST(MdlReader, KeepsOneBasedIndicesAndTextureCoordinates) {
    MdlData data = parsed(ONE_TRIANGLE);
    ASSERT_EQ(data.triangles.size(), 1u);
    const MeshTriangle& t = data.triangles[0];
    EXPECT_EQ(t.vertexIndices[0], 1);
    EXPECT_EQ(t.vertexIndices[1], 2);
    EXPECT_EQ(t.vertexIndices[2], 3);
    EXPECT_EQ(t.u[0], 0.25f);
    EXPECT_EQ(t.v[0], 0.5f);
    EXPECT_EQ(t.u[1], 0.75f);
    EXPECT_EQ(t.v[2], 0.125f);
}

TEST(MdlReader, SeparatorsSpacingAndIgnoredValuesDoNotMatter) {
    const MdlData reference = parsed(ONE_TRIANGLE);
    std::string text = ONE_TRIANGLE;
    // Other separators, line breaks and tabs between every item.
    for (char c : std::string("(),;")) text = replaceAll(text, c, std::string("\t\n ") + (c == ',' ? "|" : "]") + "\n");
    expectSame(parsed(text), reference);

    // No white space at all, and any values in the ignored integers and third coordinates.
    std::string packed = replaceAll(ONE_TRIANGLE, '\n', "");
    packed.replace(packed.find("(0,0)("), 5, "(-77,123456)");
    packed.replace(packed.find("0.5,0)"), 6, "0.5,-9e9)");
    expectSame(parsed(packed), reference);
}

TEST(MdlReader, RejectsUnsoundFilesAndLeavesTheOutputAlone) {
    const std::string good = ONE_TRIANGLE;
    auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"negative vertex count", with("3;1", "-3;1")},
        {"negative triangle count", with("3;1", "3;-1")},
        {"more vertices than the file holds", with("3;1", "2000000000;1")},
        {"more triangles than the file holds", with("3;1", "3;2000000000")},
        {"letters where a number belongs", with("(4,5,6)", "(4,x,6)")},
        {"an overflowing count", with("3;1", "99999999999;1")},
        {"a real too large for a float", with("(4,5,6)", "(4,1e99,6)")},
        {"index 0", with("(1,2,3)(0", "(0,2,3)(0")},
        {"index above V", with("(1,2,3)(0", "(1,4,3)(0")},
        {"negative index", with("(1,2,3)(0", "(1,2,-1)(0")},
        {"cut short", good.substr(0, good.size() - 3)},
        {"empty", ""},
    };
    for (const auto& [why, text] : bad) {
        MdlData out;
        out.vertices.resize(2);
        out.box.corner0 = Vector3(5, 5, 5);
        EXPECT_FALSE(parse(text, out)) << why;
        EXPECT_EQ(out.vertices.size(), 2u) << why;
        EXPECT_TRUE(out.triangles.empty()) << why;
        EXPECT_EQ(out.box.corner0, Vector3(5, 5, 5)) << why;
    }
}

TEST(MdlReader, EmptyMeshIsSound) {
    MdlData data = parsed("0;0 (0,0,0),(1,1,1)");
    EXPECT_TRUE(data.vertices.empty());
    EXPECT_TRUE(data.triangles.empty());
    EXPECT_EQ(data.box.corner1, Vector3(1, 1, -1));
}

TEST(MdlWriter, IsTheExactInverseOfTheReader) {
    MdlData data;
    data.box = Box(Vector3(-0.1, 1.0 / 3.0, -7.25e-9), Vector3(1e12, 2.5, 0.3));
    for (int i = 0; i < 4; ++i) {
        MeshVertex vertex{};
        for (int c = 0; c < 3; ++c) {
            vertex.position[c] = 0.1f * (i + 1) * (c - 1) + 1.0f / 3.0f;
            vertex.normal[c] = c == i % 3 ? -1.0f : 1e-20f;
        }
        data.vertices.push_back(vertex);
    }
    data.triangles.push_back(MeshTriangle{{0.1f, 0.2f, 0.3f}, {1.0f / 7.0f, 0.5f, -0.0f}, {1, 2, 3}});
    data.triangles.push_back(MeshTriangle{{1, 0, 1}, {0, 1, 1}, {4, 3, 1}});

    MdlData back = parsed(formatMdl(data));
    expectSame(back, data);
    EXPECT_EQ(formatMdl(back), formatMdl(data));
}

TEST(MdlWriter, WritesInTheFileAxes) {
    MdlData data = parsed(ONE_TRIANGLE);
    const std::string text = formatMdl(data);
    EXPECT_EQ(text.substr(0, 4), "3;1\n");
    EXPECT_NE(text.find("(-1,-2,-3),(1,2,3)\n(1,2,3),\n(4,5,6),"), std::string::npos) << text;
}
