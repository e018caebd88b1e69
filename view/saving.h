// Writing files.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "document/messages.h"

namespace quorvel {

// Writes bytes to the file the user named. A regular file is replaced
// atomically (a temporary file beside it, renamed over it) and keeps its
// permissions and, where the process may set it, its owner; a symbolic link
// stays a link and its target is written. Written into instead of replaced:
// a file with further hard links, a file whose folder takes no temporary
// file, and special files (FIFOs, devices, /dev/stdout and the like).
WriteResult WriteFile(const QString& fileName, std::string_view bytes);

// The error box's text for a write that failed (without the full stop),
// in the words of WriteFailureWords; empty when it was written.
QString WriteFailure(WriteResult result, const QString& fileName);

// Writes every byte to the open descriptor fd, retrying short writes.
// False on the first error.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace quorvel
