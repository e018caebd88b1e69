// The words of the failures the pupil or the teacher reads, in Windows-1252
// and without the full stop the error box appends: one wording for the
// window, the page and the worksheet tool.
#pragma once

#include <exception>
#include <string>

#include "fraction/errors.h"

namespace quorvel {

std::string MessageOf(const Error& error);

// The program's own errors in their words; anything else, a fault of the
// program rather than of what was typed, by its what().
std::string MessageOf(const std::exception& exception);

enum class WriteResult {
    Written,     // every byte reached the file
    NotWritten,  // nothing changed: an existing file keeps its old contents
    Damaged,     // the file was overwritten in place and is incomplete
};

// The words for a write that failed, with %1 where the file's name goes
// (filled in by the front end, which holds the name as the user typed it);
// empty when it was written.
std::string WriteFailureWords(WriteResult result);

}  // namespace quorvel
