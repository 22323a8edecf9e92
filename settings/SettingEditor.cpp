#include "settings/Settingu.h"

#include "model/Hakei.h"
#include "model/Wave.h"
#include "platform/Color.h"
#include "settings/HakeiEditor.h"
#include "settings/HakeiPaintBox.h"
#include "settings/RadioGroup.h"

#include <QPushButton>

void TfrmSetting::DrawHakei()
{
    if (rgpAmplitudeType->ItemIndex() == atDrawn) {
        DrawHakeiWorking(HakeiBitmap, HakeiPoints, HakeiDefined);
        btnClearHakei->setEnabled(true);
    } else {
        DrawHakeiBlank(HakeiBitmap, ToQColor(clBtnFace));
        btnClearHakei->setEnabled(false);
    }
    pntHakei->CopyFrame(HakeiBitmap);
}

void TfrmSetting::pntHakeiPaint()
{
    DrawHakei();
}

void TfrmSetting::pntHakeiMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int)
{
    SelectedPoint = HakeiHitPoint(x, HakeiBitmap.width());
    if (button == Qt::RightButton) {
        if (SelectedPoint != 0)
            HakeiDefined[SelectedPoint] = false;
        // A right drag moves nothing.
        SelectedPoint = 0;
    }
    DrawHakei();
}

void TfrmSetting::pntHakeiMouseMove(Qt::KeyboardModifiers shift, int, int y)
{
    if (SelectedPoint < 1 || SelectedPoint > HakeiLastInner)
        return;
    const int row = shift.testFlag(Qt::ShiftModifier) ? HakeiSnapRow(y) : y;
    HakeiPoints[SelectedPoint] = HakeiValueAt(row, HakeiBitmap.height());
    HakeiDefined[SelectedPoint] = true;
    DrawHakei();
}

void TfrmSetting::pntHakeiMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    SelectedPoint = 0;
}

void TfrmSetting::btnClearHakeiClick()
{
    for (int i = 1; i <= HakeiLastInner; ++i)
        HakeiDefined[i] = false;
    DrawHakei();
}
