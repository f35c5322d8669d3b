#include "entities/Entity.h"

#include "EntitySupport.h"
#include "support/GlContext.h"

#include <GL/gl.h>

namespace {

class Shown : public Entity {
public:
    using Entity::Entity;
    void update() override { refreshBox(); }
};

using EntityDrawing = EntityTestBase;

TEST_F(EntityDrawing, DrawsItsModelWhereItsBodyIsAndRestoresTheMatrix) {
    REQUIRE_GL_CONTEXT();
    BoxModel model(Box(Vector3(-20, -20, -1), Vector3(20, 20, 1)));
    // A triangle in the model's forward-up plane, seen face on from a camera looking down -z
    // when the entity faces +x.
    model.addTriangle(Vector3(-20, -20, 0), Vector3(20, -20, 0), Vector3(0, 20, 0));
    Shown e(&model, KIND_BOOST_BONUS);
    // No bank, pitch or bob, so the drawn frame is the body's own.
    e.body()->setParameters(BodyTuning{1000, 1, 1, 1, 0, 0, 5000, 0, 0.5});
    e.body()->moveRight(-100);  // right of +x is +z: this brings it to z = -100

    glColor3f(1, 1, 1);
    e.draw();
    EXPECT_EQ(GlContext::pixel(GlContext::WIDTH / 2, GlContext::HEIGHT / 2) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(GlContext::pixel(5, 5) & 0xFFFFFF, 0u);

    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    double matrix[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, matrix);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(matrix[i], i % 5 == 0 ? 1.0 : 0.0);

    // Moved behind the camera it leaves the picture alone.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    e.body()->moveRight(200);
    e.draw();
    EXPECT_EQ(GlContext::pixel(GlContext::WIDTH / 2, GlContext::HEIGHT / 2) & 0xFFFFFF, 0u);
}

}  // namespace
