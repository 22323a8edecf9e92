#pragma once
#include <cstdint>

// Milliseconds on a monotonic clock, as a 32-bit count that wraps after about
// 49.7 days. Differences must be taken modulo 2^32.
std::uint32_t getTickCount();

// Milliseconds from `from` to `to`, correct across one wrap of the counter.
inline std::int64_t ticksBetween(std::uint32_t from, std::uint32_t to)
{
    return std::int64_t(std::uint32_t(to - from));
}
