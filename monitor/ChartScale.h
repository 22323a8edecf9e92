#pragma once
#include <span>
#include <vector>

// The value range a bar chart draws.
struct ValueRange {
    double min = 0.0;
    double max = 0.0;
    friend bool operator==(const ValueRange &, const ValueRange &) = default;
};

// The range that holds every finite value and the origin the bars start from.
// Without any extent (no values, or all zero) it is -1..1.
ValueRange fitRange(std::span<const double> values);

// A range that can be drawn: ends swapped if reversed, widened by 1 each way
// if empty, -1.1..1.1 if an end is not finite.
ValueRange drawableRange(ValueRange range);

// A 1-2-5 step between tick marks so that the range has at most maxTicks
// intervals.
double tickStep(double span, int maxTicks);

// The tick values of the range at the given step; near-zero ticks are exactly 0.
std::vector<double> tickValues(ValueRange range, double step);
