#pragma once
#include <array>

// A waveform drawn by hand: heights at 13 evenly spaced points across the
// string, each inner point either defined or not. The two ends are always
// defined and always at 0, whatever is asked.
class DrawnWaveform {
public:
    static constexpr int PointCount = 13;
    static constexpr int LastInner = PointCount - 2;

    float height(int i) const { return heights_[std::size_t(i)]; }
    bool isDefined(int i) const { return defined_[std::size_t(i)]; }

    // Inner points only; the ends stay as they are.
    void setHeight(int i, float height);
    void undefine(int i);
    // Only the two ends defined, every height 0.
    void clear();

    friend bool operator==(const DrawnWaveform &, const DrawnWaveform &) = default;

private:
    std::array<float, PointCount> heights_{};
    std::array<bool, PointCount> defined_{true,  false, false, false, false, false, false,
                                          false, false, false, false, false, true};
};
