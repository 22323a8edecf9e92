#include "mainwindow/ViewState.h"

#include <algorithm>

void ViewState::setTime(std::int32_t time)
{
    params_.time = time;
    emit timeChanged(time);
}

void ViewState::setQuality(std::int32_t quality)
{
    params_.quality = std::max(quality, 2);
    emit qualityChanged(params_.quality);
}
