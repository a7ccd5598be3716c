#pragma once
// Whole-file reads and writes for the engine's file formats. A file is written whole or not at
// all: the bytes go to a temporary file beside the target, which then replaces it by a rename.
#include <cstdint>
#include <string>
#include <string_view>

namespace plm {

// Reads a regular file into out; false when it is missing, unreadable or larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::string& out, uint64_t maxBytes = UINT64_MAX);

// Writes bytes to path through a temporary file and a rename, flushing the temporary file to
// disk before the rename and the folder after it, so a save survives a crash or a power cut at
// any point: the path then holds the old file or the new one, whole. On any failure the old file
// (if any) is left as it was and no temporary file remains. Scratch files that are made again
// from their source when lost (unpacked media) pass flushToDisk = false: still whole or absent
// after a crash of the program, without paying two disk flushes a file.
// A durable write (flushToDisk) first removes what RemoveStaleTemporaries removes.
bool WriteWholeFile(const std::string& path, std::string_view bytes, bool flushToDisk = true);

// Removes the temporary files that WriteWholeFile left beside path when its program was killed
// mid-way (path + ".tmp-" + six letters or digits, plain files of this user) and that no running
// writer holds; every other file is left as it is.
void RemoveStaleTemporaries(const std::string& path);

}  // namespace plm
