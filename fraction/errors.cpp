#include "fraction/errors.h"

#include <utility>

namespace quorvel {

namespace {

// What a developer reads in a log or a debugger; never shown to the pupil.
// The detail, which may be a megabyte of typed digits, stays in Detail().
const char* Description(ErrorKind kind) {
    switch (kind) {
        case ErrorKind::DivisionByZero: return "division by zero";
        case ErrorKind::Overflow: return "arithmetic overflow";
        case ErrorKind::NotAnInteger: return "not an integer";
        case ErrorKind::UnknownOperation: return "unknown operation";
    }
    return "error";
}

}  // namespace

Error::Error(ErrorKind kind, std::string detail)
    : std::runtime_error(Description(kind)), kind_(kind), detail_(std::move(detail)) {}

}  // namespace quorvel
