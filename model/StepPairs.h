#pragma once
// What the drawers that work a curve out once per pair of neighbouring steps
// share: the steps' numbering and pixels kept relative to a vertex.
#include <QPoint>
#include <QRgb>

#include <algorithm>
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

    // The store starts with one pixel left out, so that no entry that holds
    // where its pixels start there is 0.
    RelativePixels() { pixels_.push_back({0, 0}); }

    std::size_t size() const { return pixels_.size(); }
    const Pixel &operator[](std::size_t i) const { return pixels_[i]; }
    void add(Pixel p) { pixels_.push_back(p); }
    void resize(std::size_t size) { pixels_.resize(size); }
    void clear()
    {
        pixels_.resize(1);
        offsets_.clear();
    }
    const std::vector<Pixel> &all() const { return pixels_; }

    // Byte offsets, in an image with rows `stride` bytes apart.
    const int *offsets(qsizetype stride)
    {
        if (stride != stride_)
            offsets_.clear();
        stride_ = stride;
        const std::size_t known = offsets_.size();
        offsets_.resize(pixels_.size());
        // A resize changes the stride and has them all worked out again: sized
        // first, so that the loop makes no calls, and in 32-bit arithmetic,
        // which wraps to the same bits as the 64-bit offset's lower half.
        const auto rowBytes = unsigned(stride);
        for (std::size_t i = known; i < pixels_.size(); ++i)
            offsets_[i]
                = int(unsigned(pixels_[i].row) * rowBytes + unsigned(pixels_[i].column) * unsigned(sizeof(QRgb)));
        return offsets_.data();
    }

private:
    std::vector<Pixel> pixels_;
    std::vector<int> offsets_;
    qsizetype stride_ = 0;
};

// Why a polyline could not be placed: an entry refused (kept, so asked once),
// or the owner's store of pixels full (not kept: the owner empties the store).
constexpr std::uint32_t Refused = 0xFFFFFFFFu, StoreFull = 0xFFFFFFFEu;

// An entry for each pair of neighbouring steps, and for the first step (and
// the last, where the last vertex needs one), made on first use.
class PairTable {
public:
    struct Placed {
        QPoint at;
        std::uint32_t entry;
    };

    explicit PairTable(bool lastVertexEntry)
        : pairs_(std::size_t(Count) * Count)
        , starts_(Count)
        , ends_(lastVertexEntry ? std::size_t(Count) : 0)
    {
    }

    // Places each distinct vertex with its entry, made where still unknown by
    // make(stepIn, stepOut), −1 standing for no step; a full store is emptied
    // by emptyStore() and the table forgotten once. True when every vertex
    // got an entry; placed() then lists them. Given `unplaced`, a vertex with
    // a step beyond reach or a refused entry is listed there, by its index in
    // points, instead, and the others are still placed.
    template <typename Make, typename EmptyStore>
    bool place(const QPoint *points, int count, Make make, EmptyStore emptyStore, std::vector<int> *unplaced = nullptr)
    {
        std::uint32_t status = tryPlace(points, count, make, unplaced);
        if (status == StoreFull) {
            emptyStore();
            std::fill(pairs_.begin(), pairs_.end(), 0);
            std::fill(starts_.begin(), starts_.end(), 0);
            std::fill(ends_.begin(), ends_.end(), 0);
            status = tryPlace(points, count, make, unplaced);
        }
        return status == 0;
    }

    const Placed *begin() const { return placed_.data(); }
    const Placed *end() const { return placed_.data() + placedCount_; }

private:
    template <typename Make>
    std::uint32_t tryPlace(const QPoint *points, int count, Make &make, std::vector<int> *unplaced)
    {
        const auto entryOf = [&make](std::uint32_t &known, int stepIn, int stepOut) {
            if (known != 0)
                return known;
            const std::uint32_t entry = make(stepIn, stepOut);
            if (entry != StoreFull)
                known = entry;
            return entry;
        };
        if (unplaced)
            unplaced->clear();
        placed_.resize(std::size_t(std::max(count, 0)));
        Placed *placed = placed_.data();
        const std::uint32_t status = placeAll(points, count, entryOf, placed, unplaced);
        placedCount_ = std::size_t(placed - placed_.data());
        return status;
    }

    template <typename EntryOf>
    std::uint32_t placeAll(const QPoint *points, int count, EntryOf &entryOf, Placed *&placed,
                           std::vector<int> *unplaced)
    {
        constexpr int Beyond = -2;
        // Refused or StoreFull, or 0 once the vertex is placed or listed.
        const auto placeVertex = [&](int index, QPoint vertex, std::uint32_t entry) -> std::uint32_t {
            if (entry == StoreFull || (entry == Refused && !unplaced))
                return entry;
            if (entry == Refused)
                unplaced->push_back(index);
            else
                *placed++ = {vertex, entry};
            return 0;
        };
        QPoint vertex = count > 0 ? points[0] : QPoint();
        int vertexIndex = 0;
        int stepIn = -1;
        for (int i = 1; i < count; ++i) {
            const QPoint step = points[i] - vertex;
            if (step.isNull())
                continue;
            const int index = indexOf(step);
            const int stepOut = index < 0 ? Beyond : index;
            std::uint32_t entry = Refused;
            if (stepIn == -1 && stepOut >= 0)
                entry = entryOf(starts_[std::size_t(stepOut)], -1, stepOut);
            else if (stepIn >= 0 && stepOut >= 0)
                entry = entryOf(pairs_[std::size_t(stepIn) * Count + std::size_t(stepOut)], stepIn, stepOut);
            if (const std::uint32_t status = placeVertex(vertexIndex, vertex, entry))
                return status;
            vertex = points[i];
            vertexIndex = i;
            stepIn = stepOut;
        }
        if (ends_.empty())
            return 0;
        if (stepIn == -1)
            return Refused;
        const std::uint32_t last = stepIn >= 0 ? entryOf(ends_[std::size_t(stepIn)], stepIn, -1) : Refused;
        return placeVertex(vertexIndex, vertex, last);
    }

    std::vector<std::uint32_t> pairs_, starts_, ends_;
    std::vector<Placed> placed_;
    std::size_t placedCount_ = 0;
};

} // namespace steppairs
