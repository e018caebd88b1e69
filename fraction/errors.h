// The program's own errors. Their messages are the German texts the general
// error report shows (with a full stop appended), in Windows-1252.
#pragma once

#include <stdexcept>
#include <string>

namespace quorvel {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// An integer division or remainder with divisor 0.
class DivisionByZero : public Error {
public:
    DivisionByZero();
};

// A result that would leave the signed 32-bit range.
class ArithmeticOverflow : public Error {
public:
    ArithmeticOverflow();
};

// A text that is not a valid integer; the message quotes the text.
class ConversionError : public Error {
public:
    explicit ConversionError(const std::string& text);
};

}  // namespace quorvel
