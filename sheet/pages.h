// The teacher's own pages of a group of exercises: the worksheet, with a
// header and the exercises in a grid, and the keys as tables. Each printed
// page is a block of its own; texts are Windows-1252.
#pragma once

#include <string>

#include "sheet/worksheet.h"

namespace quorvel {

// The style sheet that opens a worksheet or a key, and each part of one
// that is printed on its own.
const std::string& PageStyle();

// The worksheet: title, name line, instruction, the exercises numbered in
// a grid with room for the result, a footer that says how to make it again.
std::string WorksheetDocument(const WorksheetRequest& request, const ExerciseGroup& group);

// The answer key, and with wrongResults the error key: a table of number,
// exercise, result and the typical wrong results with their names.
std::string KeyDocument(const WorksheetRequest& request, const ExerciseGroup& group, bool wrongResults);

}  // namespace quorvel
