// ScreensUnits.h - the screens' create, starting and tick callbacks, for
// the registry.
#pragma once

#include "Screens/About.h"
#include "Screens/Country.h"
#include "Screens/Main.h"
#include "Screens/UserLoad.h"
#include "Screens/UserNew.h"
#include "Screens/Users.h"
