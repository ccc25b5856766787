// The engine's lists as the inspector prints them: one JSON document with the load result,
// the textures, materials and meshes, exactly as the engine holds them.
#pragma once

#include <string>

class Engine;

std::string engineToJson(const Engine& engine, int loadResult);
