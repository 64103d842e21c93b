#pragma once
// Umbrella header of kvinterf: skins, skinned windows and dialogs, widgets, OpenGL contexts.
#include "kvinterf_api.h"
#include "kvstruct/kvstruct.h"
