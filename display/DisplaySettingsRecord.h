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

    TColor BGColor = clWhite;
    TPen AxisPen{clSilver, 0, 1};
    TPen MainWavePen{clBlack, 0, 2};
    TPen VertLinePen{clSilver, 0, 1};
    bool VisibleVertLines = false;
    std::array<TPen, CustomWavePenCount + 1> WavePens;

    void SetBGColor(TColor color) { BGColor = color; }
    void SetAxisPen(const TPen &pen) { AxisPen = pen; }
    void SetMainWavePen(const TPen &pen) { MainWavePen = pen; }
    void SetVertLinePen(const TPen &pen) { VertLinePen = pen; }
    TPen *GetWavePen(int k);

    // The guide-line count lives in the display settings window's count box;
    // without one it is 2.
    void SetNumOfVertLinesSource(std::function<int()> source) { numOfVertLines_ = std::move(source); }
    int NumOfVertLines() const { return numOfVertLines_ ? numOfVertLines_() : 2; }

    TColor GetBGColor() const override { return BGColor; }
    const TPen &GetAxisPen() const override { return AxisPen; }
    const TPen &GetMainWavePen() const override { return MainWavePen; }
    const TPen &GetVertLinePen() const override { return VertLinePen; }
    bool GetVisibleVertLines() const override { return VisibleVertLines; }
    int GetNumOfVertLines() const override { return NumOfVertLines(); }
    const TPen *GetWavePen(int k) const override;

private:
    std::function<int()> numOfVertLines_;
};
