#pragma once
#include "model/DisplaySettings.h"

#include <array>
#include <functional>

inline constexpr int CustomWavePenCount = 20;

// The one set of colours and pens the program draws with. Pens handed in are
// copied; modes 1..20 have pens of their own, every later mode shares element 0.
class TDisplaySettings : public IDisplaySettings {
public:
    TDisplaySettings();

    TColor bgColor = clWhite;
    TPen axisPen{clSilver, 0, 1};
    TPen mainWavePen{clBlack, 0, 2};
    TPen vertLinePen{clSilver, 0, 1};
    bool visibleVertLines = false;
    std::array<TPen, CustomWavePenCount + 1> wavePens;

    void setBgColor(TColor color) { bgColor = color; }
    void setAxisPen(const TPen &pen) { axisPen = pen; }
    void setMainWavePen(const TPen &pen) { mainWavePen = pen; }
    void setVertLinePen(const TPen &pen) { vertLinePen = pen; }
    TPen *GetWavePen(int k);

    // The guide-line count lives in the display settings window's count box;
    // without one it is 2.
    void setNumOfVertLinesSource(std::function<int()> source) { numOfVertLines_ = std::move(source); }
    int numOfVertLines() const { return numOfVertLines_ ? numOfVertLines_() : 2; }

    TColor getBgColor() const override { return bgColor; }
    const TPen &getAxisPen() const override { return axisPen; }
    const TPen &getMainWavePen() const override { return mainWavePen; }
    const TPen &getVertLinePen() const override { return vertLinePen; }
    bool getVisibleVertLines() const override { return visibleVertLines; }
    int getNumOfVertLines() const override { return numOfVertLines(); }
    const TPen *getWavePen(int k) const override;

private:
    std::function<int()> numOfVertLines_;
};
