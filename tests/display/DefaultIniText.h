#pragma once
#include <QString>

// The whole settings file a run without one leaves behind.
inline QString defaultIniText()
{
    QString text = QStringLiteral("[general]\n"
                                  "BGColor=clWhite\n"
                                  "AxisWidth=1\n"
                                  "AxisColor=clSilver\n"
                                  "AxisStyle=0\n"
                                  "MainWaveWidth=2\n"
                                  "MainWaveColor=clBlack\n"
                                  "MainWaveStyle=0\n"
                                  "VertLineWidth=1\n"
                                  "VertLineColor=clSilver\n"
                                  "VertLineStyle=0\n"
                                  "VisibleVertLines=0\n"
                                  "NumOfVertLines=2\n"
                                  "DefaultWidth=1\n"
                                  "DefaultColor=clRed\n"
                                  "DefaultStyle=0\n");
    for (int k = 1; k <= 20; ++k)
        text += QStringLiteral("\n[wave%1]\nWidth=1\nColor=clRed\nStyle=0\n").arg(k);
    return text;
}
