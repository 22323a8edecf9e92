#pragma once
// What the drawers that work a curve out once per pair of neighbouring steps
// share: the steps' numbering and pixels kept relative to a vertex.
#include <QPoint>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace steppairs {

// Steps of frame curves: up to three columns across and 24 rows up or down.
constexpr int ReachX = 3, ReachY = 24;
constexpr int Columns = 2 * ReachX + 1, Count = Columns * (2 * ReachY + 1);

// A step's number in 0..Count−1, or −1 beyond reach.
inline int indexOf(QPoint step)
{
    const unsigned column = unsigned(step.x() + ReachX), row = unsigned(step.y() + ReachY);
    if (column > 2 * ReachX || row > 2 * ReachY)
        return -1;
    return int(row * Columns + column);
}

inline QPoint stepAt(int index)
{
    return {index % Columns - ReachX, index / Columns - ReachY};
}

// Pixels kept relative to a vertex, with where each lies from it in memory in
// an image of a given row length, worked out again only when that changes.
class RelativePixels {
public:
    struct Pixel {
        std::int8_t row, column;
        friend bool operator==(Pixel, Pixel) = default;
    };

    std::size_t size() const { return pixels_.size(); }
    const Pixel &operator[](std::size_t i) const { return pixels_[i]; }
    void add(Pixel p) { pixels_.push_back(p); }
    void resize(std::size_t size) { pixels_.resize(size); }
    void clear()
    {
        pixels_.clear();
        offsets_.clear();
    }
    const std::vector<Pixel> &all() const { return pixels_; }

    // Byte offsets, in an image with rows `stride` bytes apart.
    const int *offsets(qsizetype stride)
    {
        if (stride != stride_)
            offsets_.clear();
        stride_ = stride;
        for (std::size_t i = offsets_.size(); i < pixels_.size(); ++i)
            offsets_.push_back(int(pixels_[i].row * stride + pixels_[i].column * qsizetype(sizeof(QRgb))));
        return offsets_.data();
    }

private:
    std::vector<Pixel> pixels_;
    std::vector<int> offsets_;
    qsizetype stride_ = 0;
};

} // namespace steppairs
