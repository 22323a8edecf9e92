#pragma once
#include "model/WaveParams.h"

#include <QObject>

// How the main window shows the string: the time, zoom, quality and show-all
// state each frame is drawn with.
class ViewState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const FrameParams &params() const { return params_; }
    std::int32_t time() const { return params_.time; }
    float zoom() const { return params_.zoom; }
    std::int32_t quality() const { return params_.quality; }
    bool showAll() const { return params_.showAll; }

    void setTime(std::int32_t time);
    void setZoom(float zoom) { params_.zoom = zoom; }
    // At least 2 segments.
    void setQuality(std::int32_t quality);
    void setShowAll(bool showAll) { params_.showAll = showAll; }

signals:
    void timeChanged(std::int32_t time);
    void qualityChanged(std::int32_t quality);

private:
    FrameParams params_;
};
