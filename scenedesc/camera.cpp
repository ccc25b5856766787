// The camera list: adding, lookups by name and by id, and removal.
#include "scenedesc/camera.h"

#include <algorithm>

int CameraList::add(const char* name, const Vector3& position, const Vector3& target,
                    int fieldOfView) {
    Camera camera;
    camera.setName(name);
    camera.id = nextId;
    camera.position = position;
    camera.target = target;
    camera.fieldOfView = fieldOfView;
    items.push_back(camera);
    return nextId++;
}

int CameraList::findByName(const char* name) const {
    for (const Camera& camera : items)
        if (recordNameEquals(camera.name, name)) return camera.id;
    return -1;
}

Camera* CameraList::findById(int id) {
    for (Camera& camera : items)
        if (camera.id == id) return &camera;
    return nullptr;
}

const Camera* CameraList::findById(int id) const {
    for (const Camera& camera : items)
        if (camera.id == id) return &camera;
    return nullptr;
}

void CameraList::setName(int id, const char* name) {
    if (Camera* camera = findById(id)) camera->setName(name);
}

Vector3* CameraList::getPosition(int id) {
    Camera* camera = findById(id);
    return camera != nullptr ? &camera->position : nullptr;
}

void CameraList::setPosition(int id, const Vector3& value) {
    if (Camera* camera = findById(id)) camera->position = value;
}

Vector3* CameraList::getTarget(int id) {
    Camera* camera = findById(id);
    return camera != nullptr ? &camera->target : nullptr;
}

void CameraList::setTarget(int id, const Vector3& value) {
    if (Camera* camera = findById(id)) camera->target = value;
}

int CameraList::getFieldOfView(int id) const {
    const Camera* camera = findById(id);
    return camera != nullptr ? camera->fieldOfView : -1;
}

void CameraList::setFieldOfView(int id, int degrees) {
    if (Camera* camera = findById(id)) camera->fieldOfView = degrees;
}

void CameraList::remove(int id) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [id](const Camera& camera) { return camera.id == id; });
    if (found == items.end()) return;
    items.erase(found);
    // Ids are not renumbered, so the next one can repeat an id still in use.
    nextId = std::max(nextId - 1, 0);
}
