#include "fraction/errors.h"

#include "fraction/cp1252.h"

namespace quorvel {

DivisionByZero::DivisionByZero() : Error("Division durch Null") {}

ArithmeticOverflow::ArithmeticOverflow() : Error("Arithmetischer Überlauf"_w) {}

ConversionError::ConversionError(const std::string& text)
    : Error("'" + text + "' ist kein gültiger Integerwert"_w) {}

}  // namespace quorvel
