#pragma once
#include "platform/Color.h"
#include "platform/Pen.h"

// The colours and pens a frame is drawn with, read afresh at every frame.
class IDisplaySettings {
public:
    virtual ~IDisplaySettings() = default;
    virtual TColor getBgColor() const = 0;
    virtual const TPen &getAxisPen() const = 0;
    virtual const TPen &getMainWavePen() const = 0;
    virtual const TPen &getVertLinePen() const = 0;
    virtual bool getVisibleVertLines() const = 0;
    virtual int getNumOfVertLines() const = 0;
    // Mode k's pen: modes above 20 share the default pen (k = 0); null below 0.
    virtual const TPen *getWavePen(int k) const = 0;
};
