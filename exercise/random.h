// The program's only source of random numbers: a linear congruential
// generator modulo 2^32, seeded from the exercise designation and never from
// the clock, so that an exercise is the same on every computer.
#pragma once

#include <cstdint>

#include "fraction/int32.h"

namespace quorvel {

class RandomSource {
public:
    void Seed(std::uint32_t state) { state_ = state; }
    std::uint32_t State() const { return state_; }

    // Advances the state once and returns a number from 0 to n - 1 (n >= 1),
    // taken from the upper bits of the state.
    Int RandomBelow(Int n) {
        state_ = state_ * 134775813u + 1u;
        return Int((std::uint64_t(std::uint32_t(n)) * state_) >> 32);
    }

private:
    std::uint32_t state_ = 0;
};

}  // namespace quorvel
