#pragma once
// Loads the engine library from the program's own folder and creates its root object by class
// identifier, the one way the game gets at the engine.
#include <memory>
#include <string>

#include "plm232.h"

namespace tessaly {

// Gives a root object back to the library that made it; without a release function (a root made
// with new) it deletes it.
struct EngineDeleter {
    void (*release)(const char*, void*) = nullptr;
    void operator()(plm::PelmarEngine* engine) const;
};
using EngineHandle = std::unique_ptr<plm::PelmarEngine, EngineDeleter>;

// The folder of the running program, ending in "/".
std::string ProgramFolder();

// Creates the root object from libplm232.so in `folder`; null (with `error` set) on failure.
EngineHandle CreateEngine(const std::string& folder, std::string& error);

}  // namespace tessaly
