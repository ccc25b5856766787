// Lights named by scene description files: the record, its marker, and the list that numbers
// them. The list owns its lights by value; only the light markers read them.
#pragma once

#include <vector>

#include "engine/vector3.h"
#include "scenedesc/record_name.h"

struct LightColor {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
};

// A radius as a whole number, truncated toward zero. Values beyond the integer range stop at
// its limits and NaN gives 0, where a plain conversion would be undefined.
int wholeRadius(double radius);

struct Light {
    char name[recordNameSize] = {};
    int id = 0;
    Vector3 position;  // the centre of the marker
    LightColor color;
    float radius = 0.0f;  // of the marker's sphere
    int tag = 0;          // kept for whoever adds the light; nothing reads it

    const char* getName() const { return name; }
    void setName(const char* text) { copyRecordName(name, text); }
    int getId() const { return id; }
    void setId(int value) { id = value; }
    const Vector3& getPosition() const { return position; }
    void setPosition(const Vector3& value) { position = value; }
    const LightColor& getColor() const { return color; }
    void setColor(const Vector3& rgb) { color = LightColor{rgb.x, rgb.y, rgb.z}; }
    float getRed() const { return color.red; }
    float getGreen() const { return color.green; }
    float getBlue() const { return color.blue; }
    void setRed(float value) { color.red = value; }
    void setGreen(float value) { color.green = value; }
    void setBlue(float value) { color.blue = value; }
    float getRadius() const { return radius; }
    void setRadius(float value) { radius = value; }
    int getTag() const { return tag; }
    void setTag(int value) { tag = value; }

    // A wire sphere of the light's radius in its colour, a small solid cube at its centre.
    // Leaves the matrix stack as it was, the colour white and 2D texturing on.
    void drawMarker() const;
};

// Every operation by id acts on the first light with that id, in list order. After a removal a
// new light can share an id with an older one; the older one then answers for both.
class LightList {
public:
    int add(const char* name, const Vector3& position, const Vector3& color, float radius,
            int tag);
    // Id of the first light whose name equals `name` exactly, or -1.
    int findByName(const char* name) const;
    // The stored light itself, or nullptr.
    Light* findById(int id);
    const Light* findById(int id) const;

    void setName(int id, const char* name);
    Vector3* getPosition(int id);  // in place, or nullptr
    void setPosition(int id, const Vector3& value);
    LightColor* getColor(int id);  // in place, or nullptr
    void setColor(int id, const Vector3& rgb);
    // One colour component, or -1.0 when there is no such light.
    float getRed(int id) const;
    float getGreen(int id) const;
    float getBlue(int id) const;
    void setRed(int id, float value);
    void setGreen(int id, float value);
    void setBlue(int id, float value);
    // The radius truncated toward zero, or -1; the record keeps its fraction.
    int getRadius(int id) const;
    void setRadius(int id, int radius);
    int getTag(int id) const;  // -1 when there is no such light
    void setTag(int id, int tag);
    void remove(int id);

    // Each light's marker in list order, or the first light with that id alone.
    void drawAll() const;
    void drawById(int id) const;

    const std::vector<Light>& all() const { return items; }
    int nextIdValue() const { return nextId; }

private:
    std::vector<Light> items;
    int nextId = 0;
};
