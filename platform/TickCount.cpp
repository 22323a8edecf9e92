#include "platform/TickCount.h"

#include <chrono>

std::uint32_t getTickCount()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return std::uint32_t(std::uint64_t(ms));
}
