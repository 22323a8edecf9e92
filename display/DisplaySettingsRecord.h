#pragma once
#include "model/DisplaySettings.h"

#include <array>
#include <functional>

inline constexpr int CustomWavePenCount = 20;

// The one set of colours and pens the program draws with. Pens handed in are
// copied; modes 1..20 have pens of their own, every later mode shares element 0.
class DisplaySettings : public IDisplaySettings {
public:
    DisplaySettings();

    Color bgColor = colors::White;
    Pen axisPen{colors::Silver, 0, 1};
    Pen mainWavePen{colors::Black, 0, 2};
    Pen vertLinePen{colors::Silver, 0, 1};
    bool visibleVertLines = false;
    std::array<Pen, CustomWavePenCount + 1> wavePens;

    void setBgColor(Color color) { bgColor = color; }
    void setAxisPen(const Pen &pen) { axisPen = pen; }
    void setMainWavePen(const Pen &pen) { mainWavePen = pen; }
    void setVertLinePen(const Pen &pen) { vertLinePen = pen; }
    Pen *GetWavePen(int k);

    // The guide-line count lives in the display settings window's count box;
    // without one it is 2.
    void setNumOfVertLinesSource(std::function<int()> source) { numOfVertLines_ = std::move(source); }
    int numOfVertLines() const { return numOfVertLines_ ? numOfVertLines_() : 2; }

    Color getBgColor() const override { return bgColor; }
    const Pen &getAxisPen() const override { return axisPen; }
    const Pen &getMainWavePen() const override { return mainWavePen; }
    const Pen &getVertLinePen() const override { return vertLinePen; }
    bool getVisibleVertLines() const override { return visibleVertLines; }
    int getNumOfVertLines() const override { return numOfVertLines(); }
    const Pen *getWavePen(int k) const override;

private:
    std::function<int()> numOfVertLines_;
};
