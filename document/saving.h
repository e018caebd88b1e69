// Writing files.
#pragma once

#include <QString>
#include <string>

namespace quorvel {

// Replaces the file by bytes atomically: when writing fails an existing file
// keeps its old contents and no partial file is left. False on failure.
bool WriteFileAtomically(const QString& fileName, const std::string& bytes);

// Writes every line of document followed by CR LF, as Windows-1252 bytes
// without a byte-order mark. False on failure.
bool SaveDocument(const QString& fileName, const std::string& document);

}  // namespace quorvel
