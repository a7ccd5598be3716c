#include "ClassFactory.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "core/PelmarEngine.h"

namespace plm::platform {

bool IsPelmarEngineClass(const char* classIdOrName) {
    if (!classIdOrName) return false;
    // Views only: nothing here allocates, so neither C entry point can throw on the check.
    std::string_view id = classIdOrName;
    if (id == "PelmarEngine") return true;
    const std::string_view braced = kPelmarEngineClassId;
    const std::string_view bare = braced.substr(1, braced.size() - 2);
    if (id.size() == bare.size() + 2 && id.front() == '{' && id.back() == '}') id = id.substr(1, bare.size());
    return id.size() == bare.size() && std::equal(id.begin(), id.end(), bare.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == b;
           });
}

}  // namespace plm::platform

extern "C" __attribute__((visibility("default"))) void* PLMCreateObject(const char* classIdOrName) {
    if (!plm::platform::IsPelmarEngineClass(classIdOrName)) return nullptr;
    // Nothing may unwind into the C caller: a root object that cannot be built is a null one.
    try {
        return new plm::PelmarEngine();
    } catch (...) {
        return nullptr;
    }
}

extern "C" __attribute__((visibility("default"))) void PLMReleaseObject(const char* classIdOrName, void* object) {
    if (object && plm::platform::IsPelmarEngineClass(classIdOrName)) delete static_cast<plm::PelmarEngine*>(object);
}
