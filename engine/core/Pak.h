#pragma once
// Pack archives ("PLM Pak v.1", see docs/formats.md): unpacking into the engine folder and
// deleting what was unpacked.
#include <string>

namespace plm {

class Pak {
public:
    // Writes the archive's entries (or only the one named ThisFileOnly, compared trimmed and in
    // upper case, when that has more than one character) to EnginePath, replacing existing
    // files. The archive is checked whole before anything is written: a missing, damaged or
    // truncated archive, a wrong password or a wrong key writes nothing and returns false.
    // Secure reads an archive that was masked as a whole when it was packed.
    bool UnPack(const std::string& FileNameOnly, const std::string& Password, const std::string& KeyString,
                bool Secure, const std::string& ThisFileOnly = "");
    // Deletes every file UnPack wrote that still exists; with LeaveAudioFiles the files ending
    // in MID, WAV, RMI or MP3 (any case) are left, and stay listed for Terminate.
    void CleanUp(bool LeaveAudioFiles);
};

// Deletes every file Pak.UnPack wrote that still exists, and forgets the list.
void DeleteUnpackedFiles();

}  // namespace plm
