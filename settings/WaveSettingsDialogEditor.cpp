#include "settings/WaveSettingsDialog.h"

#include "model/DrawnWaveform.h"
#include "model/Wave.h"
#include "platform/Color.h"
#include "settings/RadioGroup.h"
#include "settings/WaveformEditor.h"
#include "settings/WaveformGeometry.h"

#include <QPushButton>

void WaveSettingsDialog::drawWaveform()
{
    if (rgpAmplitudeType->itemIndex() == int(AmplitudeRule::Drawn)) {
        drawWaveformWorking(waveformBitmap, waveformPoints, waveformDefined);
        btnClearWaveform->setEnabled(true);
    } else {
        drawWaveformBlank(waveformBitmap, toQColor(colors::BtnFace));
        btnClearWaveform->setEnabled(false);
    }
    pntWaveform->copyFrame(waveformBitmap);
}

void WaveSettingsDialog::pntWaveformPaint()
{
    drawWaveform();
}

void WaveSettingsDialog::pntWaveformMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int)
{
    selectedPoint = waveformHitPoint(x, waveformBitmap.width());
    if (button == Qt::RightButton) {
        if (selectedPoint != 0)
            waveformDefined[selectedPoint] = false;
        // A right drag moves nothing.
        selectedPoint = 0;
    }
    drawWaveform();
}

void WaveSettingsDialog::pntWaveformMouseMove(Qt::KeyboardModifiers shift, int, int y)
{
    if (selectedPoint < 1 || selectedPoint > WaveformLastInner)
        return;
    const int row = shift.testFlag(Qt::ShiftModifier) ? waveformSnapRow(y) : y;
    waveformPoints[selectedPoint] = waveformValueAt(row, waveformBitmap.height());
    waveformDefined[selectedPoint] = true;
    drawWaveform();
}

void WaveSettingsDialog::pntWaveformMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    selectedPoint = 0;
}

void WaveSettingsDialog::btnClearWaveformClick()
{
    for (int i = 1; i <= WaveformLastInner; ++i)
        waveformDefined[i] = false;
    drawWaveform();
}
