// The light list: adding, lookups by name and by id, the accessors by id, and removal.
#include "scenedesc/light.h"

#include <algorithm>
#include <climits>
#include <cmath>

int wholeRadius(double radius) {
    if (std::isnan(radius)) return 0;
    if (radius >= 2147483648.0) return INT_MAX;
    if (radius <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(radius);
}

int LightList::add(const char* name, const Vector3& position, const Vector3& color,
                   float radius, int tag) {
    Light light;
    light.setName(name);
    light.id = nextId;
    light.position = position;
    light.setColor(color);
    light.radius = radius;
    light.tag = tag;
    items.push_back(light);
    return nextId++;
}

int LightList::findByName(const char* name) const {
    for (const Light& light : items)
        if (recordNameEquals(light.name, name)) return light.id;
    return -1;
}

Light* LightList::findById(int id) {
    for (Light& light : items)
        if (light.id == id) return &light;
    return nullptr;
}

const Light* LightList::findById(int id) const {
    for (const Light& light : items)
        if (light.id == id) return &light;
    return nullptr;
}

void LightList::setName(int id, const char* name) {
    if (Light* light = findById(id)) light->setName(name);
}

Vector3* LightList::getPosition(int id) {
    Light* light = findById(id);
    return light != nullptr ? &light->position : nullptr;
}

void LightList::setPosition(int id, const Vector3& value) {
    if (Light* light = findById(id)) light->position = value;
}

LightColor* LightList::getColor(int id) {
    Light* light = findById(id);
    return light != nullptr ? &light->color : nullptr;
}

void LightList::setColor(int id, const Vector3& rgb) {
    if (Light* light = findById(id)) light->setColor(rgb);
}

float LightList::getRed(int id) const {
    const Light* light = findById(id);
    return light != nullptr ? light->color.red : -1.0f;
}

float LightList::getGreen(int id) const {
    const Light* light = findById(id);
    return light != nullptr ? light->color.green : -1.0f;
}

float LightList::getBlue(int id) const {
    const Light* light = findById(id);
    return light != nullptr ? light->color.blue : -1.0f;
}

void LightList::setRed(int id, float value) {
    if (Light* light = findById(id)) light->color.red = value;
}

void LightList::setGreen(int id, float value) {
    if (Light* light = findById(id)) light->color.green = value;
}

void LightList::setBlue(int id, float value) {
    if (Light* light = findById(id)) light->color.blue = value;
}

int LightList::getRadius(int id) const {
    const Light* light = findById(id);
    return light != nullptr ? wholeRadius(light->radius) : -1;
}

void LightList::setRadius(int id, int radius) {
    if (Light* light = findById(id)) light->radius = static_cast<float>(radius);
}

int LightList::getTag(int id) const {
    const Light* light = findById(id);
    return light != nullptr ? light->tag : -1;
}

void LightList::setTag(int id, int tag) {
    if (Light* light = findById(id)) light->tag = tag;
}

void LightList::remove(int id) {
    const auto found = std::find_if(items.begin(), items.end(),
                                    [id](const Light& light) { return light.id == id; });
    if (found == items.end()) return;
    items.erase(found);
    // Ids are not renumbered, so the next one can repeat an id still in use.
    nextId = std::max(nextId - 1, 0);
}
