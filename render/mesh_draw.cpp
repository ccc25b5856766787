// Drawing meshes in immediate mode: each mesh under its transform, one pass per material id,
// faces as single triangles with per-unit coordinates that scroll as they are drawn.
#include <GL/gl.h>
#include <GL/glext.h>

#include "engine/gl_extensions.h"
#include "meshfile/material.h"
#include "meshfile/mesh.h"
#include "render/geometry.h"

namespace {

// The four scroll amounts of one material, looked up once per pass; a material that the
// list does not hold scrolls by -1.0 on each, as its lookups answer.
struct ScrollAmounts {
    float baseU, baseV, detailU, detailV;
};

ScrollAmounts scrollAmountsOf(const MaterialList& materials, int materialId) {
    return {materials.baseScrollUOf(materialId), materials.baseScrollVOf(materialId),
            materials.detailScrollUOf(materialId), materials.detailScrollVOf(materialId)};
}

// Which of the four amounts move their coordinates; an amount of exactly 0.0 leaves them as
// they are, bit for bit.
struct Scrolls {
    bool baseU, baseV, detailU, detailV;
};

// One face: scrolled corner by corner as it is sent, which gives the same values as scrolling
// the three corners first, since no corner's coordinates depend on another's.
void drawFace(Face& face, const ScrollAmounts& amounts, const Scrolls& scrolls,
              const MaterialList& materials, const GlExtensions& extensions) {
    const MultiTexCoord2fProc multiTexCoord2f = extensions.multiTexCoord2f;
    glPushMatrix();
        glNormal3f(face.normal.x, face.normal.y, face.normal.z);
        glBegin(GL_TRIANGLES);
            for (Vertex& v : face.vertices) {
                if (scrolls.baseU) v.baseU += amounts.baseU;
                if (scrolls.baseV) v.baseV += amounts.baseV;
                if (scrolls.detailU) v.detailU += amounts.detailU;
                if (scrolls.detailV) v.detailV += amounts.detailV;
                if (multiTexCoord2f != nullptr) {
                    multiTexCoord2f(GL_TEXTURE0_ARB, v.baseU, v.baseV);
                    if (materials.detailEnabled) multiTexCoord2f(GL_TEXTURE1_ARB, v.detailU, v.detailV);
                    if (materials.bumpEnabled) multiTexCoord2f(GL_TEXTURE2_ARB, v.bumpU, v.bumpV);
                } else {
                    // One texture unit: the base coordinates alone.
                    glTexCoord2f(v.baseU, v.baseV);
                }
                glColor3f(v.color[0], v.color[1], v.color[2]);
                glVertex3f(v.position.x, v.position.y, v.position.z);
            }
        glEnd();
    glPopMatrix();
}

}  // namespace

void FaceArray::drawFaces(MaterialList& materials, int materialId, GlExtensions& extensions) {
    // Called on its own, the array keeps the passes it was last grouped for.
    if (!grouped) regroup(groupedFor);
    const Group* group = nullptr;
    for (const Group& candidate : groups)
        if (candidate.materialId == materialId) {
            group = &candidate;
            break;
        }
    if (group == nullptr) return;
    // The amounts cannot change during a pass, so they are looked up once.
    const ScrollAmounts amounts = scrollAmountsOf(materials, materialId);
    const Scrolls scrolls{amounts.baseU != 0.0f, amounts.baseV != 0.0f, amounts.detailU != 0.0f,
                          amounts.detailV != 0.0f};
    Face* const last = faces.data + group->last;
    for (Face* face = faces.data + group->first; face != last; ++face)
        drawFace(*face, amounts, scrolls, materials, extensions);
}

void FaceArray::computeFaceNormals() {
    for (Face* face = faces.data; face != faces.data + faces.count; ++face) {
        const Vector3 a = difference(face->vertices[0].position, face->vertices[1].position);
        const Vector3 b = difference(face->vertices[1].position, face->vertices[2].position);
        face->normal = cross(a, b);
        normalize(face->normal);
    }
}

void Mesh::draw(MaterialList& materials, GlExtensions& extensions) {
    glPushMatrix();
        glTranslated(position.x, position.y, position.z);
        glRotated(rotation.x, 1, 0, 0);
        glRotated(rotation.y, 0, 1, 0);
        glRotated(rotation.z, 0, 0, 1);
        glScaled(scale.x, scale.y, scale.z);
        faces.arrange(materialIds);
        for (int materialId : materialIds) {
            materials.applyMaterial(materialId);
            faces.drawFaces(materials, materialId, extensions);
        }
    glPopMatrix();
}

void MeshList::drawAll() {
    for (Mesh& mesh : meshes) mesh.draw(*materials, *extensions);
}

void MeshList::draw(int id) {
    if (Mesh* mesh = find(id)) mesh->draw(*materials, *extensions);
}
