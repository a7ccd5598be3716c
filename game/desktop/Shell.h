#pragma once
// Opens a document or a web address with the desktop's default program (xdg-open), spawned
// without a shell so the target is passed exactly as it is. Nothing but an existing file or an
// http(s) address is ever handed over.
#include <string>

#include "DesktopRecorder.h"

namespace tessaly::desktop {

// True when `address` begins with "http://" or "https://" (letters in any case).
bool IsWebAddress(const std::string& address);

// Opens an existing regular file; false when there is no such file or the opener could not be
// started. With a recorder the call is recorded in place of the spawn.
bool OpenFile(const std::string& path, DesktopRecorder* recorder);

// Opens an http(s) address; false for any other text or when the opener could not be started.
bool OpenWebAddress(const std::string& address, DesktopRecorder* recorder);

}  // namespace tessaly::desktop
