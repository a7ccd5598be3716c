#pragma once
// In place of a component runtime: the library exports one C function that creates an object by
// its class identifier (or its class name), and one that releases it. A program dlopens the
// library from its own folder and looks these two up.

extern "C" {
// Returns a new object of the class, or null for an unknown identifier.
// "{11ED331D-4929-4ADD-ADA7-B1AC17B32782}" (braces and case optional) or "PelmarEngine".
void* PLMCreateObject(const char* classIdOrName);
// Releases an object made by PLMCreateObject with the same identifier.
void PLMReleaseObject(const char* classIdOrName, void* object);
}

namespace plm::platform {

inline constexpr const char* kPelmarEngineClassId = "{11ED331D-4929-4ADD-ADA7-B1AC17B32782}";
inline constexpr const char* kCreateObjectSymbol = "PLMCreateObject";
inline constexpr const char* kReleaseObjectSymbol = "PLMReleaseObject";

// True when the text names the root class, by identifier or by name.
bool IsPelmarEngineClass(const char* classIdOrName);

}  // namespace plm::platform
