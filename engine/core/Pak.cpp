#include "core/Pak.h"

#include <cstdio>

#include "core/EngineProcs.h"
#include "core/EngineState.h"

namespace plm {

void DeleteUnpackedFiles() {
    EngineState& s = State();
    for (const std::string& name : s.UnpackedFiles)
        if (FileHasData(name)) std::remove(name.c_str());
    s.UnpackedFiles.clear();
}

}  // namespace plm
