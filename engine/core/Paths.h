#pragma once
// File names as the engine's callers write them, mapped to this platform: callers write paths
// with backslashes; the engine folder ends in "/" and every backslash becomes "/".
#include <string>

namespace plm {

// A caller's path with every backslash turned into "/".
std::string NativePath(const std::string& path);

// The folder text as PelmarEngine.Path stores it: native separators, ending in "/"
// (an empty text becomes "/").
std::string NormalizeFolder(const std::string& folder);

// EnginePath followed by a caller's file name.
std::string FilePath(const std::string& fileNameOnly);

// The game program's own folder, ending in "/": ProgramFolder of the engine state when set,
// else the folder of the running executable.
std::string ProgramFolderPath();

// True when a name taken from a file (an archive entry, a level file) is a plain file name that
// stays inside the folder it is written to: not empty, no separator, not "." or "..".
bool IsSafeFileName(const std::string& name);

}  // namespace plm
