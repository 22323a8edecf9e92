#pragma once
#include "model/ViewState.h"

// A view whose time, zoom, quality and show-all state are set directly, for
// drawing frames away from the main window (benchmarks, reference pictures).
struct FixedView : IWaveView {
    std::int32_t time = 0;
    float zoom = 1.0f;
    std::int32_t quality = 50;
    bool showAll = false;

    std::int32_t getTime() const override { return time; }
    float getZoom() const override { return zoom; }
    std::int32_t getQuality() const override { return quality; }
    bool getShowAll() const override { return showAll; }
};
