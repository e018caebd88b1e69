// Signed 32-bit arithmetic as the program uses it: division truncates toward
// zero and the remainder takes the sign of the dividend. Every operation that
// would leave the 32-bit range raises ArithmeticOverflow instead of wrapping,
// and a zero divisor raises DivisionByZero before anything is divided.
#pragma once

#include <cstdint>

#include "fraction/errors.h"

namespace quorvel {

using Int = std::int32_t;

inline Int Add(Int a, Int b) {
    Int r;
    if (__builtin_add_overflow(a, b, &r)) throw ArithmeticOverflow();
    return r;
}

inline Int Sub(Int a, Int b) {
    Int r;
    if (__builtin_sub_overflow(a, b, &r)) throw ArithmeticOverflow();
    return r;
}

inline Int Mul(Int a, Int b) {
    Int r;
    if (__builtin_mul_overflow(a, b, &r)) throw ArithmeticOverflow();
    return r;
}

// A value computed in 64 bits, back in the 32-bit range.
inline Int Checked(std::int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) throw ArithmeticOverflow();
    return Int(value);
}

inline Int Neg(Int a) { return Sub(0, a); }

inline Int Abs(Int a) { return a < 0 ? Neg(a) : a; }

inline Int Div(Int a, Int b) {
    if (b == 0) throw DivisionByZero();
    if (b == -1) return Neg(a);
    return a / b;
}

inline Int Rem(Int a, Int b) {
    if (b == 0) throw DivisionByZero();
    if (b == -1) return 0;
    return a % b;
}

}  // namespace quorvel
