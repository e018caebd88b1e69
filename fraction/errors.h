// The program's own errors. An error says what kind of failure it is and
// carries the detail its message quotes; the words the pupil reads are put
// to it only at the edge of the core, by MessageOf in document/messages.h.
#pragma once

#include <stdexcept>
#include <string>

namespace quorvel {

enum class ErrorKind {
    DivisionByZero,    // an integer division or remainder with divisor 0
    Overflow,          // a result that would leave the signed 32-bit range
    NotAnInteger,      // a text that is not a valid integer; the detail is the text
    UnknownOperation,  // an operator sign without a walkthrough; the detail is the sign
};

class Error : public std::runtime_error {
public:
    explicit Error(ErrorKind kind, std::string detail = {});

    ErrorKind Kind() const { return kind_; }
    const std::string& Detail() const { return detail_; }

private:
    ErrorKind kind_;
    std::string detail_;
};

class DivisionByZero : public Error {
public:
    DivisionByZero() : Error(ErrorKind::DivisionByZero) {}
};

class ArithmeticOverflow : public Error {
public:
    ArithmeticOverflow() : Error(ErrorKind::Overflow) {}
};

class ConversionError : public Error {
public:
    explicit ConversionError(const std::string& text) : Error(ErrorKind::NotAnInteger, text) {}
};

}  // namespace quorvel
