#pragma once
#include "model/FixedView.h"

using FakeView = TFixedView;
