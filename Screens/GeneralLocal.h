// GeneralLocal.h - the General page's rows, shared by its two files
// (General.cpp, GeneralRows.cpp).
#pragma once

#include "Screens/ScreenRows.h"

// The rows of the four layouts (0 Normal, 1 IPhonePortrait, 2
// IPhoneLandscape, 3 IPadPortrait).
extern const ScreenLayoutRows kGeneralLayouts[4];
