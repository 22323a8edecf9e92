#pragma once
#include <cstdint>

// What the model reads from the window that shows it, at every evaluation.
class IWaveView {
public:
    virtual ~IWaveView() = default;
    virtual std::int32_t GetTime() const = 0;
    virtual float GetZoom() const = 0;
    virtual std::int32_t GetQuality() const = 0;
    virtual bool GetShowAll() const = 0;
};
