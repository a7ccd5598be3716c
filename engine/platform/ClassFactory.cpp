#include "platform/ClassFactory.h"

#include <cctype>
#include <string>

#include "core/PelmarEngine.h"

namespace plm::platform {

bool IsPelmarEngineClass(const char* classIdOrName) {
    if (!classIdOrName) return false;
    std::string id = classIdOrName;
    if (id == "PelmarEngine") return true;
    if (id.size() >= 2 && id.front() == '{' && id.back() == '}') id = id.substr(1, id.size() - 2);
    for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return id == "11ED331D-4929-4ADD-ADA7-B1AC17B32782";
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
