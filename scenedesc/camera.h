// Cameras named by scene description files: the record and the list that numbers them.
// The list owns its cameras by value; nothing in the frame reads them yet.
#pragma once

#include <vector>

#include "engine/vector3.h"
#include "scenedesc/record_name.h"

struct Camera {
    char name[recordNameSize] = {};
    int id = 0;
    Vector3 position;
    Vector3 target;
    int fieldOfView = 0;  // whole degrees

    const char* getName() const { return name; }
    void setName(const char* text) { copyRecordName(name, text); }
    int getId() const { return id; }
    void setId(int value) { id = value; }
    const Vector3& getPosition() const { return position; }
    void setPosition(const Vector3& value) { position = value; }
    const Vector3& getTarget() const { return target; }
    void setTarget(const Vector3& value) { target = value; }
    float getFieldOfView() const { return static_cast<float>(fieldOfView); }
    void setFieldOfView(int degrees) { fieldOfView = degrees; }
    // A camera has no marker yet: there is nothing to show.
    void drawMarker() const {}
};

// Every operation by id acts on the first camera with that id, in list order. After a removal a
// new camera can share an id with an older one; the older one then answers for both.
class CameraList {
public:
    int add(const char* name, const Vector3& position, const Vector3& target, int fieldOfView);
    // Id of the first camera whose name equals `name` exactly, or -1.
    int findByName(const char* name) const;
    // The stored camera itself, or nullptr.
    Camera* findById(int id);
    const Camera* findById(int id) const;

    void setName(int id, const char* name);
    Vector3* getPosition(int id);  // in place, or nullptr
    void setPosition(int id, const Vector3& value);
    Vector3* getTarget(int id);  // in place, or nullptr
    void setTarget(int id, const Vector3& value);
    int getFieldOfView(int id) const;  // -1 when there is no such camera
    void setFieldOfView(int id, int degrees);
    void remove(int id);

    // Each camera's marker in list order, or the first camera with that id alone.
    void drawAll() const;
    void drawById(int id) const;

    const std::vector<Camera>& all() const { return items; }
    int nextIdValue() const { return nextId; }

private:
    std::vector<Camera> items;
    int nextId = 0;
};
