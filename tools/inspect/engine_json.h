// The engine's lists as the inspector prints them: one JSON document with the load result,
// the textures, materials and meshes (and cameras and lights), exactly as the engine holds them.
#pragma once

#include <string>

class Engine;

std::string engineToJson(const Engine& engine, int loadResult);
// The same document with the cameras and lights too, after a scene description load.
std::string sceneToJson(const Engine& engine, int loadResult);
