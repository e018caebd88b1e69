// The three help pages, as Windows-1252 texts.
#pragma once

#include <string>

namespace quorvel {

std::string InstructionsPage();
std::string HintsPage();
std::string GcdLcmPage();
// The spoken form of the one formula block of GcdLcmPage.
std::string GcdLcmFormulaSpoken();

}  // namespace quorvel
