#pragma once
// Umbrella header of kvfwctrl: lessons, statistics, keyboard, layouts, hands, typing view,
// levels and the statistics and lesson views.
#include "kvfwctrl_api.h"
#include "kvinterf/kvinterf.h"
#include "kvstruct/kvstruct.h"
