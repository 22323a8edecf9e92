#include "settings/WaveSettingsDialog.h"

#include "model/DrawnWaveform.h"
#include "model/Wave.h"
#include "platform/Color.h"
#include "settings/RadioGroup.h"
#include "settings/WaveformEditor.h"
#include "settings/WaveformGeometry.h"

#include <QPushButton>

void WaveSettingsDialog::DrawWaveform()
{
    if (rgpAmplitudeType->ItemIndex() == int(AmplitudeRule::Drawn)) {
        DrawWaveformWorking(WaveformBitmap, WaveformPoints, WaveformDefined);
        btnClearWaveform->setEnabled(true);
    } else {
        DrawWaveformBlank(WaveformBitmap, ToQColor(clBtnFace));
        btnClearWaveform->setEnabled(false);
    }
    pntWaveform->CopyFrame(WaveformBitmap);
}

void WaveSettingsDialog::pntWaveformPaint()
{
    DrawWaveform();
}

void WaveSettingsDialog::pntWaveformMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int)
{
    SelectedPoint = WaveformHitPoint(x, WaveformBitmap.width());
    if (button == Qt::RightButton) {
        if (SelectedPoint != 0)
            WaveformDefined[SelectedPoint] = false;
        // A right drag moves nothing.
        SelectedPoint = 0;
    }
    DrawWaveform();
}

void WaveSettingsDialog::pntWaveformMouseMove(Qt::KeyboardModifiers shift, int, int y)
{
    if (SelectedPoint < 1 || SelectedPoint > WaveformLastInner)
        return;
    const int row = shift.testFlag(Qt::ShiftModifier) ? WaveformSnapRow(y) : y;
    WaveformPoints[SelectedPoint] = WaveformValueAt(row, WaveformBitmap.height());
    WaveformDefined[SelectedPoint] = true;
    DrawWaveform();
}

void WaveSettingsDialog::pntWaveformMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    SelectedPoint = 0;
}

void WaveSettingsDialog::btnClearWaveformClick()
{
    for (int i = 1; i <= WaveformLastInner; ++i)
        WaveformDefined[i] = false;
    DrawWaveform();
}
