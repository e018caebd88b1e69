// Writing the document to a file.
#pragma once

#include <QString>
#include <string>

namespace quorvel {

// Writes every line of document followed by CR LF, as Windows-1252 bytes
// without a byte-order mark. The file is replaced atomically: when writing
// fails an existing file keeps its old contents. False on failure.
bool SaveDocument(const QString& fileName, const std::string& document);

}  // namespace quorvel
