#include "model/Hakei.h"

float HakeiPoints[HakeiPointCount] = {};
bool HakeiDefined[HakeiPointCount] = {true, false, false, false, false, false, false,
                                      false, false, false, false, false, true};

void ResetHakei()
{
    for (int i = 0; i < HakeiPointCount; ++i) {
        HakeiPoints[i] = 0.0f;
        HakeiDefined[i] = (i == 0 || i == HakeiPointCount - 1);
    }
}
