#pragma once
// A small fixed generator for tests that draw many random cases: the same
// cases on every machine and every run.
#include <cstdint>

class SeededRandom {
public:
    explicit SeededRandom(std::uint32_t seed)
        : state_(seed)
    {
    }

    std::uint32_t next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_;
    }
    // A number in 0..range−1, from the state's upper bits.
    int below(int range) { return int((next() >> 8) % std::uint32_t(range)); }

private:
    std::uint32_t state_;
};
