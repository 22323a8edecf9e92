#pragma once
#include "model/ViewState.h"

// A view whose time, zoom, quality and show-all state are set directly, for
// drawing frames away from the main window (benchmarks, reference pictures).
struct TFixedView : IWaveView {
    std::int32_t time = 0;
    float zoom = 1.0f;
    std::int32_t quality = 50;
    bool showAll = false;

    std::int32_t GetTime() const override { return time; }
    float GetZoom() const override { return zoom; }
    std::int32_t GetQuality() const override { return quality; }
    bool GetShowAll() const override { return showAll; }
};
