#include "fraction/errors.h"

#include "fraction/cp1252.h"

namespace quorvel {

DivisionByZero::DivisionByZero() : Error("Division durch Null") {}

ArithmeticOverflow::ArithmeticOverflow() : Error("Arithmetischer Überlauf"_w) {}

namespace {

std::string ConversionMessage(const std::string& text) {
    std::string message = "'";
    message.append(text);
    message.append("' ist kein gültiger Integerwert"_w);
    return message;
}

}  // namespace

ConversionError::ConversionError(const std::string& text) : Error(ConversionMessage(text)) {}

}  // namespace quorvel
