// Reading a scene description into the engine, with the outcome for programs that must tell it:
// the engine's own loadSceneDescription says it only through its message boxes.
#pragma once

#include <cstdio>

class Engine;

// Reads the scene description at path into the engine, exactly as Engine::loadSceneDescription
// does (from the stream instead, when one is given, which it closes). False when the file was
// refused: it could not be opened or is of no known kind.
bool readSceneDescription(Engine& engine, const char* path, std::FILE* stream = nullptr);
