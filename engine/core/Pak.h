#pragma once

namespace plm {

class Pak {
public:
};

// Deletes every file Pak.UnPack wrote that still exists and holds at least 2 bytes.
void DeleteUnpackedFiles();

}  // namespace plm
