// Scenes made field by field: the aiScene destructor frees every array given to it here.
#include "test_model.h"

#include "tools/import/image_format.h"

#include <assimp/Exporter.hpp>

#include <cmath>
#include <fstream>
#include <numbers>
#include <vector>

namespace importtest {

namespace {

aiMesh* meshOf(const char* name, const std::vector<aiVector3D>& vertices,
               const std::vector<std::vector<unsigned>>& faces, unsigned material) {
    auto* mesh = new aiMesh;
    mesh->mName = name;
    mesh->mMaterialIndex = material;
    mesh->mNumVertices = static_cast<unsigned>(vertices.size());
    mesh->mVertices = new aiVector3D[vertices.size()];
    std::copy(vertices.begin(), vertices.end(), mesh->mVertices);
    mesh->mNumFaces = static_cast<unsigned>(faces.size());
    mesh->mFaces = new aiFace[faces.size()];
    for (std::size_t f = 0; f < faces.size(); ++f) {
        mesh->mFaces[f].mNumIndices = static_cast<unsigned>(faces[f].size());
        mesh->mFaces[f].mIndices = new unsigned[faces[f].size()];
        std::copy(faces[f].begin(), faces[f].end(), mesh->mFaces[f].mIndices);
        mesh->mPrimitiveTypes |= faces[f].size() == 1   ? aiPrimitiveType_POINT
                                 : faces[f].size() == 2 ? aiPrimitiveType_LINE
                                 : faces[f].size() == 3 ? aiPrimitiveType_TRIANGLE
                                                        : aiPrimitiveType_POLYGON;
    }
    return mesh;
}

void giveFlatNormals(aiMesh& mesh) {
    mesh.mNormals = new aiVector3D[mesh.mNumVertices];
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) mesh.mNormals[v] = aiVector3D(0, 0, 1);
}

aiNode* nodeOf(const char* name, aiNode* parent, const aiMatrix4x4& transform, const std::vector<unsigned>& meshes) {
    auto* node = new aiNode(name);
    node->mParent = parent;
    node->mTransformation = transform;
    node->mNumMeshes = static_cast<unsigned>(meshes.size());
    if (!meshes.empty()) {
        node->mMeshes = new unsigned[meshes.size()];
        std::copy(meshes.begin(), meshes.end(), node->mMeshes);
    }
    return node;
}

aiMatrix4x4 translation(float x, float y, float z) {
    aiMatrix4x4 m;
    return aiMatrix4x4::Translation(aiVector3D(x, y, z), m);
}

aiMaterial* materialOf(const char* name, aiColor3D colour, const std::string& texture) {
    auto* material = new aiMaterial;
    const aiString materialName(name);
    material->AddProperty(&materialName, AI_MATKEY_NAME);
    material->AddProperty(&colour, 1, AI_MATKEY_COLOR_DIFFUSE);
    if (!texture.empty()) {
        const aiString path(texture);
        material->AddProperty(&path, AI_MATKEY_TEXTURE_DIFFUSE(0));
    }
    return material;
}

}  // namespace

std::unique_ptr<aiScene> makeTestScene(const TestModelParts& parts) {
    auto scene = std::make_unique<aiScene>();
    scene->mNumMaterials = 2;
    scene->mMaterials = new aiMaterial*[2]{materialOf("Textured", {1, 1, 1}, parts.texturePath),
                                           materialOf("Plain", {0.2f, 0.4f, 0.6f}, "")};

    std::vector<aiMesh*> meshes;
    aiMesh* quad = meshOf("Quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2, 3}}, 0);
    giveFlatNormals(*quad);
    quad->mTextureCoords[0] = new aiVector3D[4]{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    quad->mNumUVComponents[0] = 2;
    meshes.push_back(quad);
    std::vector<aiVector3D> ring;
    for (int k = 0; k < 5; ++k) {
        const float angle = 2.0f * std::numbers::pi_v<float> * float(k) / 5.0f;
        ring.emplace_back(std::cos(angle) - 4.0f, std::sin(angle), 0.0f);
    }
    aiMesh* pentagon = meshOf("Pentagon", ring, {{0, 1, 2, 3, 4}}, 1);
    giveFlatNormals(*pentagon);
    meshes.push_back(pentagon);
    aiMesh* coloured = meshOf("Coloured", {{0, -3, 0}, {1, -3, 0}, {0, -2, 0}}, {{0, 1, 2}}, 1);
    giveFlatNormals(*coloured);
    coloured->mColors[0] = new aiColor4D[3]{{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};
    meshes.push_back(coloured);
    std::vector<unsigned> shapes{1, 2};
    if (parts.linesAndPoints) {
        meshes.push_back(meshOf("Lines", {{0, 5, 0}, {1, 5, 0}, {2, 5, 0}}, {{0, 1}, {1, 2}}, 1));
        meshes.push_back(meshOf("Points", {{0, 6, 0}, {1, 6, 0}}, {{0}, {1}}, 1));
        shapes.insert(shapes.end(), {3, 4});
    }
    scene->mNumMeshes = static_cast<unsigned>(meshes.size());
    scene->mMeshes = new aiMesh*[meshes.size()];
    std::copy(meshes.begin(), meshes.end(), scene->mMeshes);

    aiNode* root = nodeOf("Root", nullptr, aiMatrix4x4(), {});
    aiMatrix4x4 turn, stretch;
    aiMatrix4x4::RotationY(std::numbers::pi_v<float> / 2.0f, turn);
    aiMatrix4x4::Scaling(aiVector3D(2, 1, 3), stretch);
    std::vector<aiNode*> children{nodeOf("Turned", root, translation(1, 2, 3) * turn * stretch, {0}),
                                  nodeOf("Moved", root, translation(5, 0, 0), {0}),
                                  nodeOf("Shapes", root, aiMatrix4x4(), shapes)};
    if (parts.cameraAndLight) {
        children.push_back(nodeOf("Eye", root, translation(0, 1, 10), {}));
        children.push_back(nodeOf("Lamp", root, translation(3, 4, 5), {}));
        auto* camera = new aiCamera;
        camera->mName = "Eye";
        camera->mLookAt = aiVector3D(0, 0, -1);
        scene->mNumCameras = 1;
        scene->mCameras = new aiCamera*[1]{camera};
        auto* light = new aiLight;
        light->mName = "Lamp";
        light->mType = aiLightSource_POINT;
        light->mColorDiffuse = aiColor3D(2, 1, 0.5f);
        light->mColorSpecular = aiColor3D(2, 1, 0.5f);
        light->mAttenuationConstant = 1;
        light->mAttenuationLinear = 0;
        light->mAttenuationQuadratic = 1;
        scene->mNumLights = 1;
        scene->mLights = new aiLight*[1]{light};
    }
    root->mNumChildren = static_cast<unsigned>(children.size());
    root->mChildren = new aiNode*[children.size()];
    std::copy(children.begin(), children.end(), root->mChildren);
    scene->mRootNode = root;
    return scene;
}

std::string exportScene(const aiScene& scene, const std::string& formatId, const std::filesystem::path& path) {
    Assimp::Exporter exporter;
    if (exporter.Export(&scene, formatId, path.string()) == aiReturn_SUCCESS) return "";
    const std::string error = exporter.GetErrorString();
    return error.empty() ? "export failed" : error;
}

void writePng(const std::filesystem::path& path, int width, int height, unsigned char r, unsigned char g,
              unsigned char b) {
    std::vector<unsigned char> pixels;
    for (int i = 0; i < width * height; ++i) pixels.insert(pixels.end(), {r, g, b});
    const vornimport::Bytes png = vornimport::encodePng(pixels.data(), width, height, 3);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
}

}  // namespace importtest
