#include "model/DrawnWaveform.h"

namespace {

bool isInner(int i)
{
    return i >= 1 && i <= DrawnWaveform::LastInner;
}

} // namespace

void DrawnWaveform::setHeight(int i, float height)
{
    if (!isInner(i))
        return;
    heights_[std::size_t(i)] = height;
    defined_[std::size_t(i)] = true;
}

void DrawnWaveform::undefine(int i)
{
    if (isInner(i))
        defined_[std::size_t(i)] = false;
}

void DrawnWaveform::clear()
{
    *this = DrawnWaveform();
}
