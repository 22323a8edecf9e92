#pragma once
#include <cstdint>

// What the model reads from the window that shows it, at every evaluation.
class IWaveView {
public:
    virtual ~IWaveView() = default;
    virtual std::int32_t getTime() const = 0;
    virtual float getZoom() const = 0;
    virtual std::int32_t getQuality() const = 0;
    virtual bool getShowAll() const = 0;
};
