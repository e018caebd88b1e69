#include "document/helppages.h"

#include <string_view>

#include "fraction/cp1252.h"

namespace quorvel {

namespace pages {
// The pages' UTF-8 files, compiled in.
extern const std::string_view instructions, hints, gcdlcm;
}  // namespace pages

std::string InstructionsPage() { return cp1252::FromUtf8(pages::instructions); }
std::string HintsPage() { return cp1252::FromUtf8(pages::hints); }
std::string GcdLcmPage() { return cp1252::FromUtf8(pages::gcdlcm); }
std::string GcdLcmFormulaSpoken() { return "kgV von a und b gleich a mal b durch ggT von a und b"; }

}  // namespace quorvel
