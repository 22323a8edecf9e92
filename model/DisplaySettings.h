#pragma once
#include "platform/Color.h"
#include "platform/Pen.h"

// The colours and pens a frame is drawn with, read afresh at every frame.
class IDisplaySettings {
public:
    virtual ~IDisplaySettings() = default;
    virtual Color getBgColor() const = 0;
    virtual const Pen &getAxisPen() const = 0;
    virtual const Pen &getMainWavePen() const = 0;
    virtual const Pen &getVertLinePen() const = 0;
    virtual bool getVisibleVertLines() const = 0;
    virtual int getNumOfVertLines() const = 0;
    // Mode k's pen: modes above 20 share the default pen (k = 0); null below 0.
    virtual const Pen *getWavePen(int k) const = 0;
};
