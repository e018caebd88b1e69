#include "fraction/errors.h"

#include "fraction/cp1252.h"

namespace quorvel {

DivisionByZero::DivisionByZero() : Error("Division durch Null") {}

ArithmeticOverflow::ArithmeticOverflow() : Error("Arithmetischer Überlauf"_w) {}

namespace {

// Enough of the text to recognise it; a message box holds no more.
constexpr std::size_t kQuotedLength = 40;

std::string ConversionMessage(const std::string& text) {
    std::string message = "'";
    if (text.size() <= kQuotedLength) {
        message.append(text);
    } else {
        message.append(text, 0, kQuotedLength);
        message.append("…"_w);
    }
    message.append("' ist kein gültiger Integerwert"_w);
    return message;
}

}  // namespace

ConversionError::ConversionError(const std::string& text) : Error(ConversionMessage(text)) {}

}  // namespace quorvel
