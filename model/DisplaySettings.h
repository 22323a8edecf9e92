#pragma once
#include "platform/Color.h"
#include "platform/Pen.h"

// The colours and pens a frame is drawn with, read afresh at every frame.
class IDisplaySettings {
public:
    virtual ~IDisplaySettings() = default;
    virtual TColor GetBGColor() const = 0;
    virtual const TPen &GetAxisPen() const = 0;
    virtual const TPen &GetMainWavePen() const = 0;
    virtual const TPen &GetVertLinePen() const = 0;
    virtual bool GetVisibleVertLines() const = 0;
    virtual int GetNumOfVertLines() const = 0;
    // Mode k's pen: modes above 20 share the default pen (k = 0); null below 0.
    virtual const TPen *GetWavePen(int k) const = 0;
};
