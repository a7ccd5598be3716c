#include "EngineLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "ClassFactory.h"

namespace tessaly {

void EngineDeleter::operator()(plm::PelmarEngine* engine) const {
    if (!engine) return;
    // A root made by the library's class factory goes back to it; one made in this program (a
    // test's) is deleted here.
    if (release)
        release(plm::platform::kPelmarEngineClassId, engine);
    else
        delete engine;
}

std::string ProgramFolder() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return "./";
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.find_last_of('/');
    return (slash == std::string::npos) ? "./" : path.substr(0, slash + 1);
}

EngineHandle CreateEngine(const std::string& folder, std::string& error) {
    std::string lib = folder + "libplm232.so";
    // The library stays loaded for the life of the program, as the engine's state lives in it.
    void* handle = dlopen(lib.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!handle) {
        error = dlerror();
        return EngineHandle(nullptr, {});
    }
    using CreateFn = void* (*)(const char*);
    using ReleaseFn = void (*)(const char*, void*);
    auto create = reinterpret_cast<CreateFn>(dlsym(handle, plm::platform::kCreateObjectSymbol));
    auto release = reinterpret_cast<ReleaseFn>(dlsym(handle, plm::platform::kReleaseObjectSymbol));
    if (!create || !release) {
        error = "The engine library has no class factory.";
        return EngineHandle(nullptr, {});
    }
    auto* engine = static_cast<plm::PelmarEngine*>(create(plm::platform::kPelmarEngineClassId));
    if (!engine) error = "The engine library does not know the root class.";
    return EngineHandle(engine, EngineDeleter{release});
}

}  // namespace tessaly
