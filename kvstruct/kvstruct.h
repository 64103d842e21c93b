#pragma once
// Umbrella header of kvstruct: value types, binary forms, files, INI tables, images, sound.
#include "kvstruct_api.h"
#include "Serialize.h"
#include "CString.h"
#include "Geometry.h"
#include "Colour.h"
#include "Param.h"
#include "MsgBox.h"
#include "KeyboardLayer.h"
