#include "core/Pak.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "core/FileIO.h"
#include "core/PakFormat.h"
#include "core/Paths.h"

namespace plm {

namespace {

void LogUnPackError(const std::string& detail, const std::string& path) {
    LogError("UnPack", {detail, "Filename=" + path}, {"Pak.UnPack", 0, detail});
}

std::string Trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

void RememberUnpacked(const std::string& path) {
    std::vector<std::string>& list = State().UnpackedFiles;
    if (std::find(list.begin(), list.end(), path) == list.end()) list.push_back(path);
}

bool IsAudioName(const std::string& path) {
    if (path.size() < 3) return false;
    std::string tail = path.substr(path.size() - 3);
    for (const char* ext : {"MID", "WAV", "RMI", "MP3"})
        if (SameNameUpperCase(tail, ext)) return true;
    return false;
}

// Deletes the listed files that still exist (whatever their size), keeping in the list those
// the filter leaves in place.
template <typename Keep>
void DeleteListed(Keep keep) {
    std::vector<std::string>& list = State().UnpackedFiles;
    std::vector<std::string> kept;
    for (const std::string& path : list) {
        if (keep(path)) {
            kept.push_back(path);
            continue;
        }
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) std::filesystem::remove(path, ec);
    }
    list = std::move(kept);
}

}  // namespace

bool Pak::UnPack(const std::string& FileNameOnly, const std::string& Password, const std::string& KeyString,
                 bool Secure, const std::string& ThisFileOnly) {
    const std::string path = FilePath(FileNameOnly);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        LogError("UnPack", {"File to unpack not found: " + path}, {"Pak.UnPack", 53, "File not found"});
        return false;
    }
    std::string archive;
    if (!ReadWholeFile(path, archive, UINT32_MAX)) {
        LogUnPackError("Archive could not be read", path);
        return false;
    }
    // A secure archive is unmasked as a whole in memory: no unmasked copy touches the disk.
    if (Secure) PakMask(archive.data(), archive.size(), KeyString, kPakSecureStream);

    PakIndex index;
    std::string reason;
    if (!ReadPakIndex(archive, index, reason)) {
        LogUnPackError("Damaged archive: " + reason, path);
        return false;
    }
    if (!PakPasswordMatches(index, Password)) {
        LogError("UnPack", {"Incorrect password."}, {"Pak.UnPack", 0, "Incorrect password."});
        return false;
    }

    const std::string only = Trimmed(ThisFileOnly);
    const bool one = only.size() > 1;
    std::vector<std::pair<std::string, std::string>> files;  // name, unmasked bytes
    for (size_t i = 0; i < index.Entries.size(); ++i) {
        if (one && !SameNameUpperCase(index.Entries[i].Name, only)) continue;
        std::string data;
        if (!PakEntryData(archive, index, i, KeyString, data)) {
            LogUnPackError("Damaged archive or wrong key: " + index.Entries[i].Name, path);
            return false;
        }
        files.emplace_back(index.Entries[i].Name, std::move(data));
    }
    if (one && files.empty()) {
        LogUnPackError("File not in archive: " + only, path);
        return false;
    }

    for (const auto& [name, data] : files) {
        const std::string target = FilePath(name);
        // Unpacked files are scratch copies, deleted at the end and unpacked again next time.
        if (!WriteWholeFile(target, data, false)) {
            LogUnPackError("Could not write " + target, path);
            return false;
        }
        RememberUnpacked(target);
    }
    return true;
}

void Pak::CleanUp(bool LeaveAudioFiles) {
    DeleteListed([&](const std::string& path) { return LeaveAudioFiles && IsAudioName(path); });
}

void DeleteUnpackedFiles() {
    DeleteListed([](const std::string&) { return false; });
}

}  // namespace plm
